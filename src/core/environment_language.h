#pragma once

namespace r7k {

// Whether the environment asks for Chinese messages: the first of LC_ALL,
// LC_MESSAGES and LANG that is set starts with "zh", the order C programs
// take them in. Reads only the environment, so it works before any
// application object exists.
bool Environment_prefers_chinese();

} // namespace r7k
