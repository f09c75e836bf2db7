#pragma once

#include "shell/main_window.h"

#include <memory>

// The whole program as main() starts it, shown on the offscreen platform,
// with the channel file `file` named on its command line.
std::unique_ptr<r7k::Main_window> Start_program(const QString &file = {});
