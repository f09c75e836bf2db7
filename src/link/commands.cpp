#include "link/commands.h"

#include "core/image.h"
#include "link/protocol.h"

namespace r7k::Command {

namespace {

using namespace Protocol;

// Block n lives at radio address 16 n, sent high byte first.
QByteArray address(int block)
{
    const int address = block * Block_bytes;
    return QByteArray(1, char(address >> 8)) + char(address & 0xFF);
}

QByteArray image_row(const Data_image &image, int row)
{
    QByteArray bytes;
    for (int c = 0; c < Block_bytes; ++c)
        bytes.append(char(image(row, c) & 0xFF));
    return bytes;
}

} // namespace

QByteArray Connect()
{
    return Prefix + Access_word + Cr;
}

QByteArray Identify()
{
    return Prefix + Identify_code + Cr;
}

QByteArray Start()
{
    return Prefix + Start_code + Cr;
}

QByteArray Read_block(int block)
{
    return Prefix + Read_code + address(block) + Block_length + Cr;
}

QByteArray Write_block(const Data_image &image, int block)
{
    return Prefix + Write_code + address(block) + Block_length + image_row(image, block) + Cr;
}

QByteArray Power_connect()
{
    return Prefix + Access_word + Prefix + Identify_code;
}

QByteArray Power_frame(const Data_image &image)
{
    return QByteArray(1, Ack) + Power_code + address(Power_row) + Block_length +
           image_row(image, Power_row);
}

} // namespace r7k::Command
