#pragma once

#include "core/bilingual.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reading and writing whole files, for every file of the program: channel
// files, CSV lists, backups and the command line's files.
namespace r7k::File_io {

// Far beyond any file the program reads (a channel file is some 23 KB); a
// larger file is refused unread.
inline constexpr qint64 Largest_file = 1 << 20;

// Outcome of a read or write. A failure carries the message for the user and,
// where known, the reason: the system's own, or the program's in both
// languages.
struct Outcome {
    bool ok = true;
    Bilingual message;
    Bilingual details;

    static Outcome failure(Bilingual message, Bilingual details = {});
};

// The whole text of the regular file at `path`, of at most Largest_file
// bytes. A failure carries `failed` as its message.
Outcome Read_file(const QString &path, QByteArray &text, const Bilingual &failed);

// Writes `text` through a new file that then takes the old one's name, so that
// a failed write leaves an existing file as it was. Where the folder takes no
// new file, an existing file is written over in place, with room for the new
// text taken first and the old bytes put back on a failure. A failure carries
// `failed` as its message.
Outcome Write_file(const QString &path, QByteArrayView text, const Bilingual &failed);

} // namespace r7k::File_io
