#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace r7k {

// One record of a separated text and the line it starts on (1-based).
struct Csv_record {
    int line = 0;
    QStringList fields;
};

// The separators a list may use: the comma, and the semicolon or the tab of
// spreadsheets whose numbers have a decimal comma.
inline constexpr QChar Csv_separators[] = {u',', u';', u'\t'};

// The records of a separated text: fields in double quotes may hold
// separators, line breaks and doubled quotes; lines end in CR LF, LF or CR.
// Comments are left out: a line that starts with "#", skipped to its end
// whatever it holds, and a record whose first field starts with "#", as
// programs write a comment that needs quotes. Records with nothing in them
// are left out too.
QList<Csv_record> Read_csv(QStringView text, QChar separator = u',');

// One record as a line: fields that hold a comma, a quote or a line break
// are quoted, the others written as they are; the line ends in CR LF.
QString Csv_line(const QStringList &fields);

} // namespace r7k
