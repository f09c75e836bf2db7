#pragma once

#include <QString>
#include <QStringList>

namespace r7k {

// What the program was asked on its command line.
struct Command_line {
    bool demo = false; // start a simulated radio and use it as COM1
    bool help = false;
    QString error; // empty when the arguments are good
};

// Reads the arguments after the program name, mapping each --port COMn=PATH
// as it goes.
Command_line Read_command_line(const QStringList &arguments);

// The text --help prints, also shown after a bad argument.
QString Command_line_usage();

} // namespace r7k
