#include "link_rig.h"

#include "core/globals.h"
#include "core/image.h"

void Reset_link_globals()
{
    r7k::Port_no = 1;
    r7k::Port_error = false;
    r7k::Language = false;
    r7k::Reset_image();
    r7k::Load_default_image();
    r7k::Comm_buf.clear();
}

QList<int> Transfer_blocks(int last)
{
    QList<int> blocks;
    for (int b = 1; b <= last; ++b)
        if (b <= 128 || b == 131 || b == 140 || b >= 144)
            blocks.append(b);
    return blocks;
}

QByteArray Address_of(int block)
{
    QByteArray bytes;
    bytes.append(char(block / 16));
    bytes.append(char((block % 16) * 16));
    return bytes;
}

QList<QByteArray> Commands_in(const QByteArray &sent)
{
    QList<QByteArray> commands;
    QByteArray current;
    for (qsizetype i = 0; i < sent.size(); ++i) {
        const char byte = sent[i];
        if (current.isEmpty() && (byte == 'E' || byte == 'b')) {
            commands.append(QByteArray(1, byte));
            continue;
        }
        current.append(byte);
        // Block commands have a fixed length: their address and data bytes
        // may hold 0x0D. The others end at the first CR.
        const qsizetype length = current.startsWith("AT^W")   ? 24
                                 : current.startsWith("AT^R") ? 8
                                                              : -1;
        if (current.size() == length || (length < 0 && current.size() > 4 && byte == '\r')) {
            commands.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        commands.append(current);
    return commands;
}
