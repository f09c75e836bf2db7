#include "files/channel_file.h"

#include "core/image.h"

#include <QFile>
#include <QSaveFile>
#include <array>

namespace r7k::Channel_file {

namespace {

using Values = std::array<qint16, Value_count>;

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

Bilingual not_a_number(int line, const QString &token)
{
    return {QStringLiteral("信道参数文件第 %1 行的“%2”不是数值。").arg(line).arg(token),
            QStringLiteral("Line %1 of the channel parameter file holds \"%2\", which is not a "
                           "number.")
                .arg(line)
                .arg(token)};
}

Bilingual out_of_range(int line, const QString &token)
{
    return {
        QStringLiteral("信道参数文件第 %1 行的数值 %2 超出 0 至 255 的范围。").arg(line).arg(token),
        QStringLiteral("Line %1 of the channel parameter file holds the value %2, which is "
                       "outside 0 to 255.")
            .arg(line)
            .arg(token)};
}

bool is_separator(char c)
{
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
}

// What a message quotes of a bad token: a short, printable excerpt.
QString shown_token(const QByteArray &token)
{
    constexpr int Shown = 16;
    QString text = QString::fromLatin1(token.left(Shown));
    for (QChar &ch : text)
        if (!ch.isPrint())
            ch = QLatin1Char('?');
    return token.size() > Shown ? text + QStringLiteral("...") : text;
}

// Reads separator-delimited tokens from a device, counting lines.
class Token_reader {
public:
    explicit Token_reader(QIODevice &device) : device(device) {}

    // The next token, or an empty array at the end of the input.
    QByteArray next()
    {
        QByteArray token;
        char c;
        while (device.getChar(&c)) {
            if (!is_separator(c)) {
                token += c;
                continue;
            }
            if (!token.isEmpty()) {
                device.ungetChar(c);
                break;
            }
            if (c == '\n')
                ++line_number;
        }
        return token;
    }
    int line() const { return line_number; }

private:
    QIODevice &device;
    int line_number = 1;
};

// A token in print form: an optional sign and one to five digits.
bool parse_value(const QByteArray &token, int &value)
{
    const qsizetype digits_from = token.startsWith('-') || token.startsWith('+') ? 1 : 0;
    const qsizetype digits = token.size() - digits_from;
    if (digits < 1 || digits > 5)
        return false;
    for (qsizetype i = digits_from; i < token.size(); ++i)
        if (token[i] < '0' || token[i] > '9')
            return false;
    value = token.toInt();
    return true;
}

} // namespace

Outcome Outcome::failure(Bilingual message, QString details)
{
    return {false, std::move(message), std::move(details)};
}

QByteArray Format_image()
{
    QByteArray text;
    text.reserve(Rows * (Columns * 5 + 2));
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            const qint16 value = chann(row, column);
            text += value < 0 ? '-' : ' ';
            text += QByteArray::number(qAbs(int(value)));
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

Outcome Load(QIODevice &device)
{
    Values values{};
    Token_reader reader(device);
    for (int count = 0; count < Value_count; ++count) {
        const QByteArray token = reader.next();
        if (token.isEmpty())
            return Outcome::failure(too_short(count));
        int value = 0;
        if (!parse_value(token, value))
            return Outcome::failure(not_a_number(reader.line(), shown_token(token)));
        if (value < 0 || value > 255)
            return Outcome::failure(out_of_range(reader.line(), shown_token(token)));
        values[count] = qint16(value);
    }
    for (int i = 0; i < Value_count; ++i)
        chann(i / Columns, i % Columns) = values[i];
    return {};
}

Outcome Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(Cannot_open, file.errorString());
    return Load(file);
}

Outcome Save(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failure(Cannot_write, file.errorString());
    const QByteArray text = Format_image();
    if (file.write(text) != text.size() || !file.commit())
        return Outcome::failure(Cannot_write, file.errorString());
    return {};
}

} // namespace r7k::Channel_file
