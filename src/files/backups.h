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

// Saves the image as "r7k-YYYYMMDD-HHMMSS-mmm.chann" (local time) in the
// folder, then removes the oldest backups beyond the newest Kept. Other
// files in the folder are left alone.
Channel_file::Outcome Keep(const Data_image &image,
                           const QDateTime &when = QDateTime::currentDateTime());

} // namespace Backups
} // namespace r7k
