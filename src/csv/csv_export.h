#pragma once

#include "core/bilingual.h"
#include "core/image.h"
#include "files/channel_file.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace r7k::Channel_csv {

// How an exported list is written: as the other program writes and reads it
// (UTF-8 without a byte-order mark: its older versions take a mark for part
// of the first column's name), or for spreadsheets, which show UTF-8 names
// right only after a byte-order mark.
enum class Form { Plain, Spreadsheet };

// The programmed channels of an image as a list, lines ending in CR LF.
// What the list cannot carry (VOX) is left out.
QByteArray Export(const Data_image &image, Form form = Form::Plain);

// The channels that are exported but would not come back whole on import
// into the model: a frequency outside its band, a name the other program
// cannot read. One warning a channel.
QList<Bilingual> Export_warnings(const Data_image &image, int model);

// Writes the list through a temporary file, so that a failed export leaves
// an existing file as it was. Its message on success says how many channels
// were written and warns of those that will not come back; an image with no
// programmed channel is not exported.
Channel_file::Outcome Export_file(const Data_image &image, const QString &path, int model,
                                  Form form = Form::Plain);

} // namespace r7k::Channel_csv
