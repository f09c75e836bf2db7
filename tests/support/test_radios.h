#pragma once

#include "sim/radio.h"
#include "sim/sim_options.h"

#include <QStringList>
#include <QTest>
#include <utility>

// The radios every transfer test runs against: r7k-sim as it comes, and one
// that differs from it in everything a radio decides for itself (the bytes
// beyond those the program waits for, block replies whose header is nothing
// like the command, its power levels, replies in pieces with gaps). A test
// class adds them as its global data in initTestCase_data() and calls
// use_row() in init(), or as the rows of one function in its _data() and
// calls use_local_row() in it; the rigs then build the row's radio.
namespace Test_radios {

// Each radio by its r7k-sim arguments.
inline const QList<std::pair<const char *, QStringList>> &All()
{
    static const QList<std::pair<const char *, QStringList>> radios{
        {"plain radio", {}},
        {"other radio",
         {"--connect-reply", "06 00", "--identity-tail", "20 56 32", "--start-reply", "06 57 00",
          "--header", "57 A5 C3 00", "--levels", "17,99,201", "--power-lead", "00", "--power-tail",
          "55 AA", "--pieces", "3", "--gap", "2"}},
    };
    return radios;
}

inline QStringList &current()
{
    static QStringList arguments;
    return arguments;
}

// The radios as rows; only the one that R7K_TEST_RADIO names when it is set,
// for a slow test whose radios run as tests of their own.
inline void add_rows()
{
    QTest::addColumn<QStringList>("radio");
    const QString only = qEnvironmentVariable("R7K_TEST_RADIO");
    for (const auto &[name, arguments] : All())
        if (only.isEmpty() || only == QLatin1String(name))
            QTest::newRow(name) << arguments;
}

inline void use_row()
{
    QFETCH_GLOBAL(QStringList, radio);
    current() = radio;
}

inline void use_local_row()
{
    QFETCH(QStringList, radio);
    current() = radio;
}

// The r7k-sim arguments of the radio in use.
inline QStringList arguments()
{
    return current();
}

inline r7k::sim::Personality personality()
{
    const r7k::sim::Sim_arguments parsed = r7k::sim::Parse_sim_arguments(current());
    if (!parsed.error.isEmpty())
        qFatal("test radio: %s", qPrintable(parsed.error));
    return parsed.options.personality;
}

// The radio in use as r7k-sim starts it.
inline r7k::sim::Radio radio()
{
    r7k::sim::Radio radio;
    radio.set_personality(personality());
    return radio;
}

} // namespace Test_radios
