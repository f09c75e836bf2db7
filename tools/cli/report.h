#pragma once

#include "cli/exit_status.h"

#include <QString>

namespace r7k::cli {

// Prints one line "r7k: <message>" on stderr and returns the status, so that
// a verb can end with `return Fail(Exit_file, ...)`.
int Fail(Exit_status status, const QString &message);

// Prints a line on stdout.
void Say(const QString &line);

} // namespace r7k::cli
