#include "core/image.h"

namespace r7k {

Data_image chann;

namespace {

struct Factory_channel {
    std::array<qint16, 4> frequency; // BCD, least significant byte first
    qint16 tone;
    qint16 polarity;
};

// 450.25000 MHz .. 463.12500 MHz with a few tones; channel 6 uses DCS 036
// inverted in both directions.
constexpr Factory_channel Factory_channels[16] = {
    {{0, 80, 2, 69}, 0, 0},     {{0, 80, 104, 69}, 9, 0},  {{0, 37, 114, 69}, 49, 0},
    {{0, 80, 115, 69}, 120, 0}, {{0, 37, 132, 69}, 51, 0}, {{0, 37, 133, 69}, 56, 3},
    {{0, 37, 150, 69}, 0, 0},   {{0, 37, 151, 69}, 0, 0},  {{0, 37, 8, 70}, 0, 0},
    {{0, 37, 9, 70}, 0, 0},     {{0, 117, 19, 70}, 0, 0},  {{0, 117, 20, 70}, 0, 0},
    {{0, 117, 37, 70}, 0, 0},   {{0, 117, 38, 70}, 0, 0},  {{0, 117, 55, 70}, 0, 0},
    {{0, 37, 49, 70}, 0, 0},
};

template <std::size_t N> void put_row(Data_image &image, int row, const qint16 (&bytes)[N])
{
    for (std::size_t c = 0; c < N; ++c)
        image(row, int(c)) = bytes[c];
}

} // namespace

void Reset_image(Data_image &image)
{
    image.fill(0, 143, 0, 15, 255);
    image.fill(First_name_row, Last_name_row, 0, 15, 0);
    image.fill(Spare_name_row, Spare_name_row, 0, 15, 0);
    put_row(image, Vfo_row, {80, 18, 0, 64, 80, 18, 0, 64, 0, 0, 0, 7, 0});
    put_row(image, Settings_row, {5, 1, 0, 2, 0, 0, 0, 0, 37, 1, 104});
}

void Load_default_image(Data_image &image)
{
    image.fill(0, 16, 0, 15, 255);
    for (int channel = 1; channel <= 16; ++channel)
        image.fill(Name_row(channel), Name_row(channel), 0, 15, 0);
    for (int channel = 1; channel <= 16; ++channel) {
        const Factory_channel &f = Factory_channels[channel - 1];
        for (int c = 0; c < 4; ++c) {
            image(channel, c) = f.frequency[c];
            image(channel, c + 4) = f.frequency[c];
        }
        image(channel, 8) = f.tone;
        image(channel, 9) = f.tone;
        image(channel, 10) = 0;
        image(channel, 11) = 7;
        image(channel, 12) = f.polarity;
    }
}

void Put_radio_id_row(Data_image &image)
{
    image.fill(Radio_id_row, Radio_id_row, 0, 15, 255);
    put_row(image, Radio_id_row, {'Z', 'R', 'Q', '-', '4', '7'});
}

} // namespace r7k
