#pragma once

#include "core/bilingual.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace r7k::cli {

// A radio as the command line names it: a serial device, or COM1..COM8
// through the program's port map.
struct Radio_port {
    QString name;   // as given
    QString device; // what it stands for
};

// The radios of the --port values. A malformed or repeated value is a usage
// error, a COMn that stands for no device a link error: `status` and
// `error` say which, and the list is empty.
QList<Radio_port> Radio_ports(const QStringList &values, int &status, QString &error);

// The usage error of a verb that needs a radio and was given no --port.
inline const Bilingual Missing_port{QStringLiteral("缺少 --port。"),
                                    QStringLiteral("--port is missing.")};

} // namespace r7k::cli
