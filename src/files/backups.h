#pragma once

#include "core/image.h"
#include "files/channel_file.h"

#include <QDateTime>
#include <QString>

namespace r7k {

// Copies of the image kept as channel files at each transfer: after a read
// has filled the image and just before a write sends it.
namespace Backups {

inline constexpr int Kept = 100;

// "backups" in the user's data folder of the program, for example
// ~/.local/share/r7k-cps/backups on Linux.
QString Folder();

// What a backup holds: the image a read brought, or the image a write was
// about to send.
enum class Kind { Read, Before_write };

// Saves the image as "r7k-YYYYMMDD-HHMMSS-mmm-read.chann" or
// "...-before-write.chann" (local time) in the folder, then removes the
// backups beyond the newest Kept, newest by the time the files were made, so
// that names from a clock that was once wrong do not decide; the backup just
// made is never removed. Other files in the folder are left alone.
Channel_file::Outcome Keep(const Data_image &image, Kind kind,
                           const QDateTime &when = QDateTime::currentDateTime());

} // namespace Backups
} // namespace r7k
