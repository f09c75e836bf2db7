#include "files/channel_file.h"

#include "files/list_input.h"

#include <QStringDecoder>
#include <array>

namespace r7k::Channel_file {

namespace {

const Bilingual Cannot_open{QStringLiteral("无法打开信道参数文件。"),
                            QStringLiteral("The channel parameter file cannot be opened.")};
const Bilingual Cannot_write{QStringLiteral("无法保存信道参数文件。"),
                             QStringLiteral("The channel parameter file cannot be saved.")};

Bilingual too_short(int count)
{
    return {QStringLiteral("信道参数文件不完整：只有 %1 个数值，应为 %2 个。")
                .arg(count)
                .arg(Value_count),
            QStringLiteral("The channel parameter file is incomplete: it holds %1 values "
                           "instead of %2.")
                .arg(count)
                .arg(Value_count)};
}

Bilingual not_a_number(int line, const QString &item)
{
    return {QStringLiteral("信道参数文件第 %1 行的“%2”不是数值。").arg(line).arg(item),
            QStringLiteral("Line %1 of the channel parameter file holds \"%2\", which is not a "
                           "number.")
                .arg(line)
                .arg(item)};
}

Bilingual not_whole(int line, const QString &item)
{
    return {QStringLiteral("信道参数文件第 %1 行的数值 %2 不是整数。").arg(line).arg(item),
            QStringLiteral("Line %1 of the channel parameter file holds the value %2, which is "
                           "not a whole number.")
                .arg(line)
                .arg(item)};
}

Bilingual out_of_range(int line, const QString &item)
{
    return {
        QStringLiteral("信道参数文件第 %1 行的数值 %2 超出 0 至 255 的范围。").arg(line).arg(item),
        QStringLiteral("Line %1 of the channel parameter file holds the value %2, which is "
                       "outside 0 to 255.")
            .arg(line)
            .arg(item)};
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

Outcome Load_text(QByteArrayView text, Data_image &image)
{
    std::array<qint16, Value_count> values{};
    List_input input(text);
    for (int count = 0; count < Value_count; ++count) {
        const QByteArrayView item = input.next();
        if (item.isEmpty())
            return Outcome::failure(too_short(count));
        const List_number number = Read_number(item);
        if (number.kind == List_number::Kind::Not_a_number)
            return Outcome::failure(not_a_number(input.line(), shown_item(item)));
        if (number.kind == List_number::Kind::Fraction)
            return Outcome::failure(not_whole(input.line(), shown_item(item)));
        if (number.value < 0 || number.value > 255)
            return Outcome::failure(out_of_range(input.line(), shown_item(item)));
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
    return read.ok ? Load_text(text, image) : read;
}

Outcome Save(const QString &path, const Data_image &image)
{
    return File_io::Write_file(path, Format_image(image), Cannot_write);
}

} // namespace r7k::Channel_file
