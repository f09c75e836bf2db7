#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace r7k {

// A program to start, with its arguments; no shell is involved.
struct Program_launch {
    QString program;
    QStringList arguments;
};

// The system information tool of this computer: on Windows the one the
// registry names, elsewhere the first known viewer found in `search_paths`
// (the PATH when empty). Nothing when there is none.
std::optional<Program_launch> System_info_tool(const QStringList &search_paths = {});

} // namespace r7k
