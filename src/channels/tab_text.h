#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace r7k {

// Tab-separated text, the form in which spreadsheets put a table on the
// clipboard: one line a row (CR LF or LF), values separated by tabs. A value
// that holds a tab, a line end or a quote is written in quotes, a quote inside
// doubled.
using Tab_rows = QList<QStringList>;

// Reads comma-separated text too, given a comma as separator.
Tab_rows Parse_tab_text(const QString &text, QChar separator = QLatin1Char('\t'));
QString Tab_text(const Tab_rows &rows);

} // namespace r7k
