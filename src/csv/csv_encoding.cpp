#include "csv/csv_encoding.h"

#include "core/gbk.h"

#include <QList>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace r7k {

namespace {

struct Named {
    Csv_encoding encoding;
    const char *name;
};
constexpr std::array<Named, 5> Names{{
    {Csv_encoding::Auto, "auto"},
    {Csv_encoding::Utf8, "UTF-8"},
    {Csv_encoding::Utf16, "UTF-16"},
    {Csv_encoding::Gbk, "GBK"},
    {Csv_encoding::Windows_1252, "Windows-1252"},
}};

// Windows-1252 is Latin-1 but for 0x80..0x9F, which hold these characters
// (U+FFFD where the code page leaves a byte unused). Decoded here rather than
// by the system's converters, which not every build of Qt has.
constexpr std::array<char16_t, 32> Windows_1252_high{
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString windows_1252_of(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = quint8(byte);
        text += code >= 0x80 && code < 0xA0 ? QChar(Windows_1252_high[code - 0x80]) : QChar(code);
    }
    return text;
}

std::optional<QString> utf8_of(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? std::nullopt : std::optional(text);
}

bool cjk(char32_t ch)
{
    return (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= 0x3400 && ch <= 0x4DBF) ||
           (ch >= 0x3000 && ch <= 0x303F) || (ch >= 0xFF00 && ch <= 0xFFEF);
}

// A GBK reading is Chinese text when all it holds beyond ASCII are Chinese
// characters, most of them common ones (both bytes of their code from 0xA1
// on, as in GB 2312): the Latin letters of a Windows-1252 text read as GBK
// give rare characters or none.
bool plausible_gbk(QByteArrayView bytes, const QString &text)
{
    if (!std::ranges::all_of(text.toUcs4(), [](char32_t ch) { return ch < 0x80 || cjk(ch); }))
        return false;
    int common = 0, rare = 0;
    for (qsizetype at = 0; at + 1 < bytes.size(); ++at)
        if (quint8(bytes[at]) >= 0x80) {
            ++(quint8(bytes[at]) >= 0xA1 && quint8(bytes[at + 1]) >= 0xA1 ? common : rare);
            ++at;
        }
    return common > 0 && common >= rare;
}

// A UTF-8 reading is plausible text when all it holds beyond ASCII are
// Chinese characters or letters of the Latin alphabet: GBK bytes read as
// UTF-8 give Cyrillic, symbols, combining marks or rarely used Latin forms.
bool plausible_utf8(const QString &text)
{
    return std::ranges::all_of(text.toUcs4(), [](char32_t ch) {
        const bool latin_letter =
            ch >= 0xC0 && ch <= 0x17F && ch != 0xD7 && ch != 0xF7; // not × and ÷
        return ch < 0x80 || cjk(ch) || latin_letter;
    });
}

Csv_decoding with(QString text, Csv_encoding used)
{
    return {std::move(text), used, QString()};
}

} // namespace

QString Encoding_name(Csv_encoding encoding)
{
    for (const Named &named : Names)
        if (named.encoding == encoding)
            return QLatin1String(named.name);
    return {};
}

std::optional<Csv_encoding> Encoding_named(const QString &name)
{
    for (const Named &named : Names)
        if (named.encoding != Csv_encoding::Utf16 &&
            name.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.encoding;
    return std::nullopt;
}

Csv_decoding Decode_csv(QByteArrayView bytes, Csv_encoding wanted)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return with(QString::fromUtf8(bytes.sliced(3)), Csv_encoding::Utf8);
    if (bytes.startsWith("\xFF\xFE"))
        return with(QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.sliced(2)),
                    Csv_encoding::Utf16);
    if (bytes.startsWith("\xFE\xFF"))
        return with(QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.sliced(2)),
                    Csv_encoding::Utf16);
    const auto cp1252 = [&bytes] {
        return with(windows_1252_of(bytes), Csv_encoding::Windows_1252);
    };
    switch (wanted) {
    case Csv_encoding::Utf8:
    case Csv_encoding::Utf16:
        return with(QString::fromUtf8(bytes), Csv_encoding::Utf8);
    case Csv_encoding::Gbk:
        return with(Gbk::Decode(bytes).value_or(QString::fromLatin1(bytes)), Csv_encoding::Gbk);
    case Csv_encoding::Windows_1252:
        return cp1252();
    case Csv_encoding::Auto:
        break;
    }
    const std::optional<QString> utf8 = utf8_of(bytes);
    std::optional<QString> gbk = Gbk::Decode(bytes);
    if (gbk && !plausible_gbk(bytes, *gbk))
        gbk.reset();
    if (utf8 && gbk && plausible_utf8(*utf8))
        return {*utf8, Csv_encoding::Utf8, *gbk};
    if (gbk)
        return with(*gbk, Csv_encoding::Gbk);
    if (utf8)
        return with(*utf8, Csv_encoding::Utf8);
    return cp1252();
}

} // namespace r7k
