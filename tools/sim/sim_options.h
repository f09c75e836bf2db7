#pragma once

#include "sim/radio.h"

#include <QString>
#include <QStringList>

namespace r7k::sim {

// How r7k-sim was asked to run.
struct Sim_options {
    QString link = QStringLiteral("/tmp/r7k-radio"); // stable path to the pty
    QString memory;                                  // ".chann" file to start from
    QString save_to;                                 // ".chann" file that shows what a write did
    bool pace = false;                               // send and take bytes at 9600 baud
    Faults faults;
    Personality personality;
};

struct Sim_arguments {
    Sim_options options;
    bool help = false;
    QString error; // empty when the arguments are good
};

// Parses the arguments after the program name.
Sim_arguments Parse_sim_arguments(const QStringList &arguments);

// The text --help prints, also shown after a bad argument.
QString Sim_usage();

} // namespace r7k::sim
