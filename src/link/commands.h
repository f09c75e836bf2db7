#pragma once

#include "core/image.h"

#include <QByteArray>

namespace r7k::Command {

// The commands the program sends to the radio, byte for byte.

// "AT^", the access word, CR: opens the radio's programming mode.
QByteArray Connect();
// "AT^", 0x02, CR: asks for the model identifier.
QByteArray Identify();
// "AT^", 0x06, CR: starts a read or a write.
QByteArray Start();
// "AT^R", address high, address low, 0x10, CR.
QByteArray Read_block(int block);
// "AT^W", address high, address low, 0x10, image row `block` columns 0..15, CR.
QByteArray Write_block(const Data_image &image, int block);
// "AT^", the access word, "AT^", 0x02: connect and identify in one, for the
// power adjustment.
QByteArray Power_connect();
// 0x06, 'g', address of block 240, 0x10, image row 240 columns 0..15.
QByteArray Power_frame(const Data_image &image);

} // namespace r7k::Command
