#pragma once

#include "core/bilingual.h"

#include <QList>
#include <QString>
#include <optional>

namespace r7k {

// What a paste tells the user afterwards: the values it left out, each with
// its channel, column and reason, the names it cut, and how many values lay
// outside the table.
class Paste_report {
public:
    void refused(int channel, int column, const QString &value, const Bilingual &reason,
                 bool readable);
    void cut(int channel, const QString &value, const Bilingual &notice);
    void outside_table() { ++outside; }
    void stored() { ++stored_values; }

    // Nothing when every value was pasted as it was. When nothing was stored
    // and no refused value even looked like a value of its column, the text
    // was not a channel list: one sentence says so instead of a list.
    std::optional<Bilingual> message() const;

private:
    struct Line {
        int channel;
        int column;
        QString value;
        Bilingual reason;
    };

    QList<Line> refusals;
    QList<Line> cuts;
    int outside = 0;
    int stored_values = 0;
    bool any_readable = false;
};

} // namespace r7k
