#pragma once

#include "core/image.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace r7k::cli {

// One value of an image in words.
struct Image_field {
    int block;       // the image row that holds it
    QString section; // "Channel 5", "Optional features", "Frequency mode", "Power levels"
    QString name;    // "RX Frequency", "Squelch level"
    QString value;   // "450.02500", "5"
};

// The channel table of the image in English: the headings, then one row a
// programmed channel (empty channels are left out), column 0 its number.
QList<QStringList> Channel_table_rows(const Data_image &image);

// The values of the programmed channels by the channel table's columns, in
// English, section "Channel n".
QList<Image_field> Channel_fields(const Data_image &image);

// The optional features, the frequency mode and the transmit power levels in
// words, in English.
QList<Image_field> Setting_fields(const Data_image &image);

} // namespace r7k::cli
