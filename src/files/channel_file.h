#pragma once

#include "core/bilingual.h"
#include "core/image.h"

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
// Far beyond any channel file (some 23 KB); a larger file is refused unread.
inline constexpr qint64 Largest_file = 1 << 20;

// Outcome of a load or save. A failure carries the message for the user and,
// where known, the reason: the system's own, or the program's in both
// languages.
struct Outcome {
    bool ok = true;
    Bilingual message;
    Bilingual details;

    static Outcome failure(Bilingual message, Bilingual details = {});
};

// The file text of the image.
QByteArray Format_image(const Data_image &image);

// Reads and checks a whole file's text; the image is changed, in rows 0..280,
// columns 0..15, only when the text is good. A message about the text names
// the file `file_name`, or "the channel parameter file" without one.
Outcome Load_text(QByteArrayView text, Data_image &image, const QString &file_name = {});
// The same for the file at `path`, which must be a regular file of at most
// Largest_file bytes; the messages name the file.
Outcome Load(const QString &path, Data_image &image);

// Writes the image through a new file that then takes the old one's name, so
// that a failed save leaves an existing file as it was. Where the folder
// takes no new file, an existing file is written over in place.
Outcome Save(const QString &path, const Data_image &image);

// What Load and Save do with the file, for every file of the program: the
// whole text of a regular file of at most Largest_file bytes, and writing a
// text the way Save does. A failure carries `failed` as its message.
Outcome Read_file(const QString &path, QByteArray &text, const Bilingual &failed);
Outcome Write_file(const QString &path, QByteArrayView text, const Bilingual &failed);

} // namespace Channel_file
} // namespace r7k
