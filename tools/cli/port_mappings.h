#pragma once

#include "cli/verb_line.h"

#include <QStringList>
#include <optional>

namespace r7k::cli {

// Adds the option --port COMn=PATH, as r7k-cps takes it, to a verb's line.
void Add_port_mapping_option(Verb_line &line);

// Maps each --port COMn=PATH of the parsed line; the verb's usage error
// status when one is malformed or names no port COM1..COM8.
std::optional<int> Map_ports(const Verb_line &line);

} // namespace r7k::cli
