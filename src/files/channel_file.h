#pragma once

#include "core/bilingual.h"
#include "core/image.h"
#include "files/file_io.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace r7k {

// A channel parameter file (".chann") holds image rows 0..280, columns 0..15,
// as text: one line a row, each value in print form (a blank or minus sign,
// the digits, a blank), lines ending in CR LF. Every operation works on the
// image it is given.
namespace Channel_file {

inline constexpr int Rows = 281;
inline constexpr int Columns = 16;
inline constexpr int Value_count = Rows * Columns;
// Outcome of a load or save.
using Outcome = File_io::Outcome;

// The file text of the image.
QByteArray Format_image(const Data_image &image);

// Reads and checks a whole file's text; the image is changed, in rows 0..280,
// columns 0..15, only when the text is good. A message about the text names
// the file `file_name`, or "the channel parameter file" without one.
Outcome Load_text(QByteArrayView text, Data_image &image, const QString &file_name = {});
// The same for the file at `path`, read by File_io::Read_file; the messages
// name the file.
Outcome Load(const QString &path, Data_image &image);

// Writes the image with File_io::Write_file, so that a failed save leaves an
// existing file as it was.
Outcome Save(const QString &path, const Data_image &image);

} // namespace Channel_file
} // namespace r7k
