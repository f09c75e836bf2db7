#include "files/file_io.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#endif

namespace r7k::File_io {

namespace {

const Bilingual Not_a_regular_file{
    QStringLiteral("它不是普通文件，而是设备、管道或文件夹。"),
    QStringLiteral("It is not a regular file but a device, a pipe or a folder.")};
const Bilingual Too_large{
    QStringLiteral("它大于 1 MB，远大于本程序读取的任何文件。"),
    QStringLiteral("It is larger than 1 MB, far larger than any file this program reads.")};
const Bilingual No_space{QStringLiteral("设备上没有空间"),
                         QStringLiteral("No space left on device")};

// The system's reason for a failed file operation. Qt's file engine reports a
// full device as a resource error; that reason the program gives in both
// languages.
Bilingual reason_of(const QFileDevice &file)
{
    if (file.error() == QFileDevice::ResourceError)
        return No_space;
    return {file.errorString(), file.errorString()};
}

// Writes all of `bytes`. A short write is followed by another, so that a
// device that takes no more says why.
bool write_all(QFileDevice &file, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = file.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

// Only a regular file can be read or written; a pipe or a device (even behind
// a link) would keep the program waiting or reading without end.
bool is_other_than_a_file(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

// Room on the device for `size` bytes of the file, taken before its old
// bytes are touched. Where the system cannot say in advance, the old bytes
// are put back after a failed write instead.
bool reserve(QFile &file, qint64 size)
{
#ifdef Q_OS_LINUX
    if (::fallocate(file.handle(), FALLOC_FL_KEEP_SIZE, 0, size) == 0)
        return true;
    return errno != ENOSPC && errno != EDQUOT;
#else
    Q_UNUSED(file);
    Q_UNUSED(size);
    return true;
#endif
}

// Writes the text over the file itself. A failure leaves the old bytes
// where they were.
Outcome write_in_place(const QString &path, QByteArrayView text, const Bilingual &failed)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return Outcome::failure(failed, reason_of(file));
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Outcome::failure(failed, reason_of(file));
    if (!reserve(file, text.size()))
        return Outcome::failure(failed, No_space);
    if (file.seek(0) && write_all(file, text) && file.resize(text.size()))
        return {};
    const Outcome failure = Outcome::failure(failed, reason_of(file));
    if (file.seek(0) && write_all(file, old))
        file.resize(old.size());
    return failure;
}

} // namespace

Outcome Outcome::failure(Bilingual message, Bilingual details)
{
    return {false, std::move(message), std::move(details)};
}

Outcome Read_file(const QString &path, QByteArray &text, const Bilingual &failed)
{
    if (is_other_than_a_file(path))
        return Outcome::failure(failed, Not_a_regular_file);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(failed, reason_of(file));
    // The limit holds for what is read, whatever size the folder listed.
    text = file.read(Largest_file + 1);
    if (file.error() != QFileDevice::NoError)
        return Outcome::failure(failed, reason_of(file));
    if (text.size() > Largest_file)
        return Outcome::failure(failed, Too_large);
    return {};
}

Outcome Write_file(const QString &path, QByteArrayView text, const Bilingual &failed)
{
    if (is_other_than_a_file(path))
        return Outcome::failure(failed, Not_a_regular_file);
    QSaveFile file(path);
    // Unbuffered: every write reaches the system at once and a failure comes
    // back from it, not later from a flush that the commit would not heed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // A user may keep a writable file in a folder that takes no new file;
        // saving it in place is then the only way to save at all.
        if (QFileInfo(path).isFile())
            return write_in_place(path, text, failed);
        return Outcome::failure(failed, reason_of(file));
    }
    if (!write_all(file, text))
        return Outcome::failure(failed, reason_of(file));
    if (!file.commit())
        return Outcome::failure(failed, reason_of(file));
    return {};
}

} // namespace r7k::File_io
