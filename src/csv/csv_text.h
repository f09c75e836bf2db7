#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace r7k {

// One record of a comma-separated text and the line it starts on (1-based).
struct Csv_record {
    int line = 0;
    QStringList fields;
};

// The records of a comma-separated text: fields in double quotes may hold
// commas, line breaks and doubled quotes; lines end in CR LF, LF or CR.
// Lines that start with "#" and records with nothing in them are left out.
QList<Csv_record> Read_csv(QStringView text);

// One record as a line: fields that hold a comma, a quote or a line break
// are quoted, the others written as they are; the line ends in CR LF.
QString Csv_line(const QStringList &fields);

} // namespace r7k
