// Fuzz target: the CSV importer on arbitrary bytes. Every row of the list is
// either stored or reported; a refused list changes nothing; an import
// stores only bytes, only in the channel and name rows; and what was
// imported, exported and imported again gives the same list.

#include "core/image.h"
#include "csv/csv_import.h"
#include "csv/csv_text.h"
#include "fuzz_check.h"

#include <QStringDecoder>
#include <cstdint>

using namespace r7k;

namespace {

// The image the lists are imported into: the program's start-up contents.
Data_image start_image()
{
    Data_image image;
    Reset_image(image);
    return image;
}

bool channel_row(int row)
{
    if (row >= 1 && row <= Channel_count)
        return true;
    for (int channel = 1; channel <= Channel_count; ++channel)
        if (Name_row(channel) == row)
            return true;
    return false;
}

// The rows of the list after its header, when the bytes are UTF-8 (a GBK
// list is read the same way, but its text is not at hand here).
std::optional<qsizetype> data_rows(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    const qsizetype records = Read_csv(text).size();
    return records > 0 ? records - 1 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Data_image start = start_image();
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const auto scope :
         {Channel_csv::Scope::All_channels, Channel_csv::Scope::Listed_channels}) {
        Data_image image = start;
        const Channel_csv::Report report = Channel_csv::Import(image, bytes, scope);
        FUZZ_CHECK(report.notes.size() >= report.skipped, "a skipped row was not reported");
        if (!report.imported) {
            FUZZ_CHECK(image == start, "a refused list changed the image");
            continue;
        }
        if (const auto rows = data_rows(bytes))
            FUZZ_CHECK(report.channels + report.skipped == *rows,
                       "a row was neither stored nor reported");
        for (int row = 0; row < Data_image::rows; ++row)
            for (int column = 0; column < Data_image::columns; ++column) {
                const qint16 cell = image(row, column);
                if (channel_row(row) && column < Block_bytes)
                    FUZZ_CHECK(cell >= 0 && cell <= 255, "an imported cell is not a byte");
                else
                    FUZZ_CHECK(cell == start(row, column), "an import changed another row");
            }

        const QByteArray exported = Channel_csv::Export(image);
        Data_image again = start;
        FUZZ_CHECK(Channel_csv::Import(again, exported, Channel_csv::Scope::All_channels).imported,
                   "an exported list was refused");
        FUZZ_CHECK(Channel_csv::Export(again) == exported, "export and import changed a channel");
    }
    return 0;
}
