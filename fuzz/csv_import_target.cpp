// Fuzz target: the CSV importer on arbitrary bytes. What an import stores
// keeps the channel rules (BCD digits, band and grid, tone indexes, GBK name
// codes without control characters) and lies in the channel and name rows
// only; every row of a plain list, counted here line by line, is stored or
// reported; a refused list changes nothing; and what was imported, exported
// and imported again gives the same list.

#include "channels/channel_record.h"
#include "core/gbk.h"
#include "core/image.h"
#include "core/tables.h"
#include "csv/csv_export.h"
#include "csv/csv_import.h"
#include "fuzz_check.h"

#include <QRegularExpression>
#include <array>
#include <cstdint>
#include <vector>

using namespace r7k;

namespace {

// The band of model 0 and the channel grids, in the 10 Hz units of a stored
// frequency.
constexpr qint64 Band_low = 13'600'000, Band_high = 47'000'000;
constexpr qint64 Grid_5_khz = 500, Grid_6_25_khz = 625;

Data_image start_image()
{
    Init_tone_table();
    Init_model_table();
    Data_image image;
    Reset_image(image);
    return image;
}

std::array<bool, Data_image::rows> channel_rows()
{
    std::array<bool, Data_image::rows> rows{};
    for (int channel = 1; channel <= Channel_count; ++channel)
        rows[channel] = rows[Name_row(channel)] = true;
    return rows;
}

// A stored frequency, least significant BCD byte first: in the band and on
// a grid.
bool good_frequency(const Data_image &image, int channel, int first)
{
    qint64 units = 0;
    for (int at = first + 3; at >= first; --at) {
        const int byte = image(channel, at);
        if (byte >> 4 > 9 || (byte & 15) > 9)
            return false;
        units = units * 100 + (byte >> 4) * 10 + (byte & 15);
    }
    return units >= Band_low && units < Band_high &&
           (units % Grid_5_khz == 0 || units % Grid_6_25_khz == 0);
}

bool erased(const Data_image &image, int channel, int first)
{
    for (int at = first; at < first + 4; ++at)
        if (image(channel, at) != 255)
            return false;
    return true;
}

// Which name codes stand for one GBK character that is no control
// character: one byte below 0x80, or two.
std::vector<bool> name_codes()
{
    std::vector<bool> good(0x10000);
    for (int code = 1; code < 0x10000; ++code) {
        const char bytes[] = {char(code >> 8), char(code & 0xFF)};
        const std::optional<QString> character =
            Gbk::Decode(code < 0x100 ? QByteArrayView(bytes + 1, 1) : QByteArrayView(bytes, 2));
        good[code] = character && character->size() == 1 &&
                     character->front().category() != QChar::Other_Control;
    }
    return good;
}

bool good_name(const Data_image &image, int channel)
{
    static const std::vector<bool> good = name_codes();
    const int row = Name_row(channel);
    for (int position = 0; position < 8; ++position) {
        const int code = image(row, 2 * position) * 256 + image(row, 2 * position + 1);
        if (code == 0)
            return true;
        if (!good[code])
            return false;
    }
    return true;
}

void check_channel(const Data_image &image, int channel)
{
    if (Channel_is_empty(channel, image))
        return;
    FUZZ_CHECK(good_frequency(image, channel, Record::Rx_freq), "a bad receive frequency");
    FUZZ_CHECK(erased(image, channel, Record::Tx_freq) ||
                   good_frequency(image, channel, Record::Tx_freq),
               "a bad transmit frequency");
    for (const int column : {Decode_column, Encode_column}) {
        const int tone = Stored_choice(channel, column, image);
        FUZZ_CHECK(tone >= 0 && tone <= Tone_last, "a tone outside the tone table");
    }
    FUZZ_CHECK(good_name(image, channel), "a name code that is no GBK character");
}

// The data rows of a list without quotes, BOM or other separators than the
// comma, counted line by line: the lines after the heading that are no
// comment and hold something. Nothing for other lists.
std::optional<int> plain_rows(QByteArrayView bytes)
{
    for (const char byte : bytes)
        if (quint8(byte) >= 0x80 || byte == '"' || byte == ';' || byte == '\t' || byte == 0)
            return std::nullopt;
    static const QRegularExpression line_end(QStringLiteral("\r\n|\r|\n"));
    int lines = 0;
    for (const QString &line : QString::fromLatin1(bytes).split(line_end)) {
        const QString first = line.section(u',', 0, 0).trimmed();
        if (!first.startsWith(u'#') && !QString(line).remove(u',').trimmed().isEmpty())
            ++lines;
    }
    return lines - 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Data_image start = start_image();
    static const std::array<bool, Data_image::rows> in_channel = channel_rows();
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const auto scope :
         {Channel_csv::Scope::All_channels, Channel_csv::Scope::Listed_channels}) {
        Data_image image = start;
        const Channel_csv::Report report = Channel_csv::Import(image, bytes, scope, 0);
        FUZZ_CHECK(report.notes.size() >= report.skipped, "a skipped row was not reported");
        if (!report.imported) {
            FUZZ_CHECK(image == start, "a refused list changed the image");
            continue;
        }
        if (const std::optional<int> rows = plain_rows(bytes))
            FUZZ_CHECK(report.channels + report.skipped == *rows,
                       "a row was neither stored nor reported");
        for (int row = 0; row < Data_image::rows; ++row)
            for (int column = 0; column < Data_image::columns; ++column)
                if (!in_channel[row] || column >= Block_bytes)
                    FUZZ_CHECK(image(row, column) == start(row, column),
                               "an import changed another row");
                else
                    FUZZ_CHECK(image(row, column) >= 0 && image(row, column) <= 255,
                               "an imported cell is not a byte");
        for (int channel = 1; channel <= Channel_count; ++channel)
            check_channel(image, channel);
        if (scope == Channel_csv::Scope::Listed_channels)
            continue;
        // The export is UTF-8 without a byte-order mark: read back as such, since a
        // name such as "D°gital" reads as well as GBK and the guess may go either way.
        const QByteArray exported = Channel_csv::Export(image);
        Data_image again = start;
        FUZZ_CHECK(Channel_csv::Import(again, exported, Channel_csv::Scope::All_channels, 0,
                                       Csv_encoding::Utf8)
                       .imported,
                   "an exported list was refused");
        FUZZ_CHECK(Channel_csv::Export(again) == exported, "export and import changed a channel");
    }
    return 0;
}
