#pragma once

#include <QString>
#include <QStringList>

namespace r7k {

// What the program was asked on its command line.
struct Command_line {
    bool demo = false; // start a simulated radio and use it as COM1
    bool help = false;
    bool version = false;
    QString file;  // a channel file to load at start, as File > Open would
    QString error; // one line; empty when the arguments are good
};

// Reads the arguments after the program name, mapping each --port COMn=PATH
// as it goes. Needs no application object, so that --help and --version
// work without a display.
Command_line Read_command_line(const QStringList &arguments);

// The text --help prints.
QString Command_line_usage();

// The line --version prints, "r7k-cps 1.4".
QString Version_line();

} // namespace r7k
