#include "channels/channel_name.h"

#include "core/gbk.h"
#include "core/image.h"

#include <QStringList>
#include <algorithm>

namespace r7k {

namespace {

const Bilingual Name_not_storable{
    QStringLiteral("信道名称中有对讲机无法保存的字符 ！"),
    QStringLiteral("The channel name holds a character that the radio cannot store.")};

const Bilingual Name_has_control{
    QStringLiteral("信道名称中有控制字符（如制表符、换行符）！"),
    QStringLiteral("The channel name holds a control character (a tab or a line end, for "
                   "instance).")};
const Bilingual Name_cut{
    QStringLiteral("信道名称最多 8 个字符，只保留了“%1”"),
    QStringLiteral("A channel name holds at most 8 characters; \"%1\" was kept")};

// Erased radio memory: no GBK character has this code.
constexpr int Erased_code = 0xFFFF;

int code_at(const Data_image &image, int row, int position)
{
    return image(row, 2 * position) * 256 + image(row, 2 * position + 1);
}

QString character_of(int code)
{
    QByteArray bytes;
    if (code > 255)
        bytes.append(char(code >> 8));
    bytes.append(char(code & 255));
    const std::optional<QString> character = Gbk::Decode(bytes);
    if (!character || character->isEmpty())
        return QString(QChar::ReplacementCharacter);
    return *character;
}

// The GBK code of one character, or nothing when GBK has no such character.
std::optional<int> code_of(const QString &character)
{
    const std::optional<QByteArray> bytes = Gbk::Encode(character);
    if (!bytes || bytes->isEmpty() || bytes->size() > 2)
        return std::nullopt;
    int code = 0;
    for (char byte : *bytes)
        code = code * 256 + quint8(byte);
    return code == 0 ? std::nullopt : std::optional<int>(code);
}

// Whole characters of a text: a character beyond the 16-bit range is one
// character too, made of two UTF-16 units.
QStringList characters_of(const QString &text)
{
    QStringList characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        characters.append(text.mid(i, length));
        i += length - 1;
    }
    return characters;
}

} // namespace

QString Channel_name(int channel, const Data_image &image)
{
    const int row = Name_row(channel);
    QString name;
    for (int position = 0; position < Name_length; ++position) {
        const int code = code_at(image, row, position);
        if (code == 0 || code == Erased_code)
            break;
        name += character_of(code);
    }
    return name.trimmed();
}

bool Has_control_character(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar ch) { return ch.category() == QChar::Other_Control; });
}

std::optional<Bilingual> Store_channel_name(int channel, const QString &text, Data_image &image)
{
    if (Has_control_character(text.trimmed()))
        return Name_has_control;
    const QStringList characters = characters_of(text.trimmed()).mid(0, Name_length);
    QList<int> codes;
    for (const QString &character : characters) {
        const std::optional<int> code = code_of(character);
        if (!code)
            return Name_not_storable;
        codes.append(*code);
    }
    Clear_channel_name(channel, image);
    const int row = Name_row(channel);
    for (int position = 0; position < codes.size(); ++position) {
        image(row, 2 * position) = qint16(codes[position] >> 8);
        image(row, 2 * position + 1) = qint16(codes[position] & 255);
    }
    return std::nullopt;
}

std::optional<Bilingual> Name_cut_notice(const QString &text)
{
    const QStringList characters = characters_of(text.trimmed());
    if (characters.size() <= Name_length)
        return std::nullopt;
    const QString kept = characters.mid(0, Name_length).join(QString());
    return Bilingual{Name_cut.chinese.arg(kept), Name_cut.english.arg(kept)};
}

void Clear_channel_name(int channel, Data_image &image)
{
    const int row = Name_row(channel);
    image.fill(row, row, 0, 2 * Name_length - 1, 0);
}

} // namespace r7k
