#include "files/channel_file.h"

#include "files/list_input.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>

namespace r7k::Channel_file {

namespace {

const Bilingual Cannot_open{QStringLiteral("无法打开信道参数文件。"),
                            QStringLiteral("The channel parameter file cannot be opened.")};
const Bilingual Cannot_write{QStringLiteral("无法保存信道参数文件。"),
                             QStringLiteral("The channel parameter file cannot be saved.")};
const Bilingual Not_a_regular_file{
    QStringLiteral("它不是普通文件，而是设备、管道或文件夹。"),
    QStringLiteral("It is not a regular file but a device, a pipe or a folder.")};
const Bilingual Too_large{
    QStringLiteral("它大于 1 MB，远大于本程序读取的任何文件。"),
    QStringLiteral("It is larger than 1 MB, far larger than any file this program reads.")};
const Bilingual No_space{QStringLiteral("设备上没有空间"),
                         QStringLiteral("No space left on device")};

// What the messages call the file: its name, or "the channel parameter
// file" when the text came from elsewhere.
struct File_called {
    QString chinese;       // starts a sentence
    QString english;       // in the middle of one
    QString english_start; // at its start
};

File_called called(const QString &file_name)
{
    if (file_name.isEmpty())
        return {QStringLiteral("信道参数文件"), QStringLiteral("the channel parameter file"),
                QStringLiteral("The channel parameter file")};
    return {file_name + QLatin1Char(' '), file_name, file_name};
}

// The file's name goes in with the other values at once, so that a "%1" in
// it stays as it is.
Bilingual too_short(const File_called &file, int count)
{
    const QString held = QString::number(count), wanted = QString::number(Value_count);
    return {
        QStringLiteral("%1不完整：只有 %2 个数值，应为 %3 个。").arg(file.chinese, held, wanted),
        QStringLiteral("%1 is incomplete: it holds %2 values instead of %3.")
            .arg(file.english_start, held, wanted)};
}

Bilingual not_a_number(const File_called &file, int line, const QString &item)
{
    const QString at = QString::number(line);
    return {QStringLiteral("%1第 %2 行的“%3”不是数值。").arg(file.chinese, at, item),
            QStringLiteral("Line %1 of %2 holds \"%3\", which is not a number.")
                .arg(at, file.english, item)};
}

Bilingual not_whole(const File_called &file, int line, const QString &item)
{
    const QString at = QString::number(line);
    return {QStringLiteral("%1第 %2 行的数值 %3 不是整数。").arg(file.chinese, at, item),
            QStringLiteral("Line %1 of %2 holds the value %3, which is not a whole number.")
                .arg(at, file.english, item)};
}

Bilingual out_of_range(const File_called &file, int line, const QString &item)
{
    const QString at = QString::number(line);
    return {
        QStringLiteral("%1第 %2 行的数值 %3 超出 0 至 255 的范围。").arg(file.chinese, at, item),
        QStringLiteral("Line %1 of %2 holds the value %3, which is outside 0 to 255.")
            .arg(at, file.english, item)};
}

// What a message quotes of a bad item: a short, printable excerpt.
QString shown_item(QByteArrayView item)
{
    constexpr int Shown = 16;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(item.first(qMin(item.size(), qsizetype(Shown))));
    for (QChar &ch : text)
        if (!ch.isPrint())
            ch = QLatin1Char('?');
    return item.size() > Shown ? text + QStringLiteral("...") : text;
}

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

// Only a regular file can be a channel file; a pipe or a device (even behind
// a link) would keep the program waiting or reading without end.
bool is_other_than_a_file(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

} // namespace

Outcome Outcome::failure(Bilingual message, Bilingual details)
{
    return {false, std::move(message), std::move(details)};
}

QByteArray Format_image(const Data_image &image)
{
    QByteArray text;
    text.reserve(Rows * (Columns * 5 + 2));
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            const qint16 value = image(row, column);
            text += value < 0 ? '-' : ' ';
            text += QByteArray::number(qAbs(int(value)));
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

Outcome Load_text(QByteArrayView text, Data_image &image, const QString &file_name)
{
    const File_called file = called(file_name);
    std::array<qint16, Value_count> values{};
    List_input input(text);
    for (int count = 0; count < Value_count; ++count) {
        const QByteArrayView item = input.next();
        if (item.isEmpty())
            return Outcome::failure(too_short(file, count));
        const List_number number = Read_number(item);
        if (number.kind == List_number::Kind::Not_a_number)
            return Outcome::failure(not_a_number(file, input.line(), shown_item(item)));
        if (number.kind == List_number::Kind::Fraction)
            return Outcome::failure(not_whole(file, input.line(), shown_item(item)));
        if (number.value < 0 || number.value > 255)
            return Outcome::failure(out_of_range(file, input.line(), shown_item(item)));
        values[count] = qint16(number.value);
    }
    for (int i = 0; i < Value_count; ++i)
        image(i / Columns, i % Columns) = values[i];
    return {};
}

Outcome Load(const QString &path, Data_image &image)
{
    QByteArray text;
    const Outcome read = Read_file(path, text, Cannot_open);
    return read.ok ? Load_text(text, image, QFileInfo(path).fileName()) : read;
}

Outcome Save(const QString &path, const Data_image &image)
{
    return Write_file(path, Format_image(image), Cannot_write);
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
    // A user may keep a writable file in a folder that takes no new file;
    // saving it in place is then the only way to save at all.
    file.setDirectWriteFallback(true);
    // Unbuffered: every write reaches the system at once and a failure comes
    // back from it, not later from a flush that the commit would not heed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Outcome::failure(failed, reason_of(file));
    if (!write_all(file, text))
        return Outcome::failure(failed, reason_of(file));
    if (!file.commit())
        return Outcome::failure(failed, reason_of(file));
    return {};
}

} // namespace r7k::Channel_file
