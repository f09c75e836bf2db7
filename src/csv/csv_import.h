#pragma once

#include "core/bilingual.h"
#include "core/image.h"
#include "csv/csv_encoding.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace r7k {

// Channel lists in the generic CSV form that radio programming software
// exchanges: one line a channel, columns by name (see chirp_row.h).
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
    int emptied = 0;       // programmed channels the list did not hold, now empty
    int kept = 0;          // stored channels that kept what the list does not carry
    Csv_encoding encoding = Csv_encoding::Utf8; // how the text was read
    // The columns of newer lists that this one lacks, each with what was
    // assumed in its place.
    QList<Bilingual> assumed;
    // Every skipped row, snapped frequency and name that could not be kept,
    // in the order of the lines, each naming its line.
    QList<Bilingual> notes;
    // When the bytes read as plausible names both as UTF-8 and as GBK (the
    // import took UTF-8 unless told otherwise): the first names each way.
    QStringList utf8_names, gbk_names;

    bool ambiguous() const { return !gbk_names.isEmpty(); }

    // Nothing imported, for this reason.
    static Report Refused(const Bilingual &why, const Bilingual &details = {});
};

// Stores the channels of a list into the image through the channel record,
// as typing them into the channel table would: frequencies must lie in the
// band of the model (0..6) and are snapped to the channel grid, tones must
// be in the tone table, names must be GBK without control characters. A row
// that cannot be taken is skipped. The image changes only when at least one
// channel can be stored. A listed channel that was programmed keeps what the
// list does not carry (VOX and the attribute bytes after the polarity).
Report Import(Data_image &image, QByteArrayView bytes, Scope scope, int model,
              Csv_encoding encoding = Csv_encoding::Auto);
Report Import_file(Data_image &image, const QString &path, Scope scope, int model,
                   Csv_encoding encoding = Csv_encoding::Auto);

// What sums up an import for the user: what was stored and skipped, the
// encoding, and what was assumed for missing columns.
Bilingual Summary(const Report &report);

} // namespace Channel_csv
} // namespace r7k
