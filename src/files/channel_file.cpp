#include "files/channel_file.h"

#include "files/list_input.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <array>

namespace r7k::Channel_file {

namespace {

const Bilingual Cannot_open{QStringLiteral("无法打开信道参数文件。"),
                            QStringLiteral("The channel parameter file cannot be opened.")};
const Bilingual Cannot_write{QStringLiteral("无法保存信道参数文件。"),
                             QStringLiteral("The channel parameter file cannot be saved.")};

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

} // namespace

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
    const Outcome read = File_io::Read_file(path, text, Cannot_open);
    return read.ok ? Load_text(text, image, QFileInfo(path).fileName()) : read;
}

Outcome Save(const QString &path, const Data_image &image)
{
    return File_io::Write_file(path, Format_image(image), Cannot_write);
}

} // namespace r7k::Channel_file
