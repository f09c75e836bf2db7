#pragma once

#include <QString>

namespace r7k {

// Why the windows cannot open in this session, in one line in the language
// of the environment; empty when a display is there (or when the platform
// Qt is told to use needs none). Reads only the environment, so that it can
// be asked before the application object exists: without a display Qt's
// own start would abort the program.
QString Missing_display_message();

} // namespace r7k
