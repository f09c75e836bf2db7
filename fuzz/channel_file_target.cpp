// Fuzz target: the channel file reader on arbitrary bytes. A refused file
// changes no cell of the image; an accepted one stores only 0..255, only in
// rows 0..280, columns 0..15; and saving what was loaded, then loading that,
// gives the same image back.

#include "core/image.h"
#include "files/channel_file.h"
#include "fuzz_check.h"

#include <cstdint>

using namespace r7k;

namespace {

// An image whose every cell holds a value that no file can put there, and
// a different one in each cell, so that any store shows.
Data_image marked_image()
{
    Data_image image;
    for (int row = 0; row < Data_image::rows; ++row)
        for (int column = 0; column < Data_image::columns; ++column)
            image(row, column) = qint16(-1 - row * Data_image::columns - column);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Data_image marked = marked_image();
    Data_image image = marked;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!Channel_file::Load_text(bytes, image).ok) {
        FUZZ_CHECK(image == marked, "a refused file changed the image");
        return 0;
    }
    for (int row = 0; row < Data_image::rows; ++row)
        for (int column = 0; column < Data_image::columns; ++column) {
            const qint16 cell = image(row, column);
            if (row < Channel_file::Rows && column < Channel_file::Columns)
                FUZZ_CHECK(cell >= 0 && cell <= 255, "a loaded cell is not a byte");
            else
                FUZZ_CHECK(cell == marked(row, column), "a load changed a cell outside the file");
        }

    const QByteArray saved = Channel_file::Format_image(image);
    Data_image again = marked;
    FUZZ_CHECK(Channel_file::Load_text(saved, again).ok, "a saved image was refused");
    FUZZ_CHECK(again == image, "saving and loading changed the image");
    return 0;
}
