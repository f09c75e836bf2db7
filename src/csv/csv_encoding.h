#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace r7k {

// The encodings a list is read in. Lists come from the other program (UTF-8)
// and from spreadsheets, which save in the encoding of their system: GBK on
// Chinese systems, Windows-1252 on Western European ones, or UTF-8 or UTF-16
// with a byte-order mark.
enum class Csv_encoding { Auto, Utf8, Utf16, Gbk, Windows_1252 };

// "UTF-8", "GBK" ...; Auto is "auto".
QString Encoding_name(Csv_encoding encoding);
// The encoding a user names: "utf-8", "gbk", "windows-1252" or "auto".
std::optional<Csv_encoding> Encoding_named(const QString &name);

// The text of a list's bytes.
struct Csv_decoding {
    QString text;
    Csv_encoding used = Csv_encoding::Utf8;
    // Set when the bytes read as plausible text both as UTF-8 and as GBK:
    // `text` is then the UTF-8 reading and this the GBK one.
    QString gbk_text;

    bool ambiguous() const { return !gbk_text.isNull(); }
};

// A byte-order mark decides the encoding; without one `wanted` does, and
// Auto goes by what the text holds: UTF-8 when the bytes are UTF-8 and
// their GBK reading is not more plausible, GBK when that reading gives
// Chinese text, Windows-1252 otherwise.
Csv_decoding Decode_csv(QByteArrayView bytes, Csv_encoding wanted = Csv_encoding::Auto);

} // namespace r7k
