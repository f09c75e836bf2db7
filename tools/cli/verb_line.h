#pragma once

#include "core/bilingual.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

namespace r7k::cli {

// The command line of one verb: its options and --help, read by
// QCommandLineParser, and the plain arguments it takes.
class Verb_line {
public:
    // `help` is what `r7k VERB --help` prints; `missing` is the message when
    // too few plain arguments are given.
    Verb_line(const QString &verb, const QString &help, const Bilingual &missing = {});

    // Parses the arguments after the verb. Returns the exit status when the
    // verb ends here (0 after printing the help, a usage error after a
    // one-line message), nothing when the verb goes on.
    std::optional<int> parse(const QStringList &arguments, qsizetype least, qsizetype most);

    // A usage error of this verb: one line on stderr; returns its status.
    // The message is in the language the environment asks for, or chosen so.
    int usage_error(const QString &message) const;
    int usage_error(const Bilingual &message) const;

    QCommandLineParser parser;

private:
    QString verb;
    QString help;
    Bilingual missing;
};

} // namespace r7k::cli
