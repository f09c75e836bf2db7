#pragma once

#include "core/bilingual.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace r7k {

// A channel parameter file (".chann") holds image rows 0..280, columns 0..15,
// as text: one line a row, each value in print form (a blank or minus sign,
// the digits, a blank), lines ending in CR LF.
namespace Channel_file {

inline constexpr int Rows = 281;
inline constexpr int Columns = 16;
inline constexpr int Value_count = Rows * Columns;

// Outcome of a load or save. A failure carries the message for the user and,
// where the system gave one, its own reason.
struct Outcome {
    bool ok = true;
    Bilingual message;
    QString details;

    static Outcome failure(Bilingual message, QString details = {});
};

// The file text of the current image.
QByteArray Format_image();

// Reads and checks the whole file; the image is changed only when the file
// is good.
Outcome Load(const QString &path);
Outcome Load(QIODevice &device);

// Writes the image through a temporary file, so that a failed save leaves an
// existing file as it was.
Outcome Save(const QString &path);

} // namespace Channel_file
} // namespace r7k
