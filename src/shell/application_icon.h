#pragma once

#include <QIcon>

namespace r7k {

// The program's own icon, a hand-held radio, at every size it is drawn in;
// every window of the program shows it.
QIcon Application_icon();

} // namespace r7k
