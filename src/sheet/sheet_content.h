#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace r7k {

// What the printed channel sheet says, in the current language: the model,
// where the channels came from and the date on every page, the programmed
// channels as the table shows them, and the optional features in words.
struct Channel_sheet {
    struct Item {
        QString label;
        QString value;
    };

    QString title;
    QList<Item> facts;
    QStringList headings;
    QList<QStringList> channels;
    QString no_channels; // said in place of the table when no channel is programmed
    QString features_title;
    QList<Item> features;
    // "Page %1 of %2"
    QString page_pattern;
};

Channel_sheet Make_channel_sheet(const QDate &date);

} // namespace r7k
