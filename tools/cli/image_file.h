#pragma once

#include "core/image.h"
#include "files/backups.h"
#include "files/channel_file.h"

#include <QString>
#include <optional>

namespace r7k::cli {

// A channel file read into an image, or why it could not be: one line naming
// the file and the cause; a CSV list is told to go through import-csv.
std::optional<QString> Load_image(const QString &path, Data_image &image);

// A backup of the image in the backups folder, as the windows keep them. One
// that cannot be saved is told on stderr and stops nothing.
void Keep_backup(const Data_image &image, Backups::Kind kind);

// The image saved to a channel file, or why it could not be.
std::optional<QString> Save_image(const QString &path, const Data_image &image);

// Why a file could not be saved at `path`, found out before anything is
// written: no folder, not a regular file, or neither the folder nor the file
// takes writing. Nothing is changed.
std::optional<QString> Unwritable(const QString &path);

// Refuses an output that is the input itself, before either is touched.
std::optional<QString> Same_file(const QString &input, const QString &output);

// Why a file operation on `path` failed, as one line; nothing when it did not.
std::optional<QString> File_problem(const QString &path, const Channel_file::Outcome &outcome);

} // namespace r7k::cli
