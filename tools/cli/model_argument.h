#pragma once

#include <QString>
#include <optional>

namespace r7k::cli {

// The model a --model argument names, by number 0..6 or by name; nothing
// when it names none.
std::optional<int> Model_named(const QString &argument);

// The usage error for an argument that names no model.
QString Not_a_model(const QString &argument);

} // namespace r7k::cli
