#pragma once

#include "core/image.h"

#include <QString>
#include <optional>

namespace r7k::cli {

// A channel file read into an image, or why it could not be: one line naming
// the file and the cause.
std::optional<QString> Load_image(const QString &path, Data_image &image);

// The image saved to a channel file, or why it could not be.
std::optional<QString> Save_image(const QString &path, const Data_image &image);

} // namespace r7k::cli
