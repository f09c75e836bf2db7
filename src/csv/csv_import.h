#pragma once

#include "core/bilingual.h"
#include "core/image.h"
#include "files/channel_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace r7k {

// Channel lists in the generic CSV form that radio programming software
// exchanges: one line a channel, columns by name (see csv_channel.h).
namespace Channel_csv {

// Which channels an import replaces.
enum class Scope {
    All_channels,    // all 128: a channel the list does not hold becomes empty
    Listed_channels, // only those the list holds; the others stay as they are
};

// What an import did.
struct Report {
    bool imported = false; // the image was changed
    Bilingual failure;     // why nothing was imported
    Bilingual details;     // the reason a file could not be read
    int channels = 0;      // channels stored
    int skipped = 0;       // rows that could not be taken
    // Every skipped row, snapped frequency and name that could not be kept,
    // in the order of the lines, each naming its line.
    QList<Bilingual> notes;

    // Nothing imported, for this reason.
    static Report Refused(const Bilingual &why, const Bilingual &details = {});
};

// The programmed channels of an image as a list: UTF-8, lines ending in
// CR LF. What the list cannot carry (VOX) is left out.
QByteArray Export(const Data_image &image);

// Stores the channels of a list into the image through the channel record,
// as typing them into the channel table would: frequencies are checked
// against the band of the selected model and snapped to the channel grid,
// tones must be in the tone table, names must be GBK. A row that cannot be
// taken is skipped. The text is UTF-8 (with or without a byte-order mark), or
// GBK as spreadsheets on Chinese systems save it. The image changes only when
// at least one channel can be stored. A listed channel is replaced as a
// whole, except that with Listed_channels it keeps what the list does not
// carry (VOX and the attribute bytes after the polarity).
Report Import(Data_image &image, QByteArrayView bytes, Scope scope);

// The same with files. Export_file writes through a temporary file, so that
// a failed export leaves an existing file as it was; its message on success
// says how many channels were written.
Channel_file::Outcome Export_file(const Data_image &image, const QString &path);
Report Import_file(Data_image &image, const QString &path, Scope scope);

// One line that sums up an import for the user.
Bilingual Summary(const Report &report);

} // namespace Channel_csv
} // namespace r7k
