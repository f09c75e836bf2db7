#pragma once

#include "cli/exit_status.h"
#include "core/bilingual.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace r7k::cli {

// Prints one line "r7k: <message>" on stderr and returns the status, so that
// a verb can end with `return Fail(Exit_file, ...)`.
int Fail(Exit_status status, const QString &message);
// The same in the language the environment asks for.
int Fail(Exit_status status, const Bilingual &message);

// The first paragraph of a text as one line: the system's reasons may come
// with further paragraphs (the serial devices there are, for instance).
QString One_line(const QString &text);

// The text with every control or other unprintable character written as
// \xNN or \uNNNN, so that text from a file or a radio cannot steer the
// terminal.
QString Visible(const QString &text);

// Prints a line on stdout.
void Say(const QString &line);

// A table on stdout: in columns padded to their widest cell, or with `tabs`
// one line per row with its cells separated by tabs, for scripts.
void Say_table(const QList<QStringList> &rows, bool tabs = false);

// The text in the language the environment asks for (Chinese when LANG
// starts with zh). Messages follow it; help texts, tables and words about the
// data stay English, so that scripts read the same output everywhere.
QString In_language(const Bilingual &text);

} // namespace r7k::cli
