#pragma once

#include "core/image.h"
#include "files/channel_file.h"

#include <QString>
#include <optional>

namespace r7k::cli {

// A channel file read into an image, or why it could not be: one line naming
// the file and the cause.
std::optional<QString> Load_image(const QString &path, Data_image &image);

// The image saved to a channel file, or why it could not be.
std::optional<QString> Save_image(const QString &path, const Data_image &image);

// Why a file operation on `path` failed, as one line; nothing when it did not.
std::optional<QString> File_problem(const QString &path, const Channel_file::Outcome &outcome);

} // namespace r7k::cli
