#include "sim/demo_memory.h"

#include "core/gbk.h"
#include "core/image.h"

namespace r7k::sim {

namespace {

constexpr int Name_positions = 8;

// Names mix ASCII and Chinese, as dealers give them.
const char *const Channel_names[16] = {
    "Base",   "频道2",  "车队 A", "Relay",  "保安部", "Dock 3", "维修",  "Ch08",
    "中继R1", "Events", "前台",   "Gate 2", "应急",   "Patrol", "仓库B", "Ch16",
};

// Stores a name in the channel's name row: one 16-bit GBK code a position,
// high byte first; code 0 ends the name.
void put_name(Data_image &image, int channel, const QString &name)
{
    const int row = Name_row(channel);
    image.fill(row, row, 0, Block_bytes - 1, 0);
    int position = 0;
    for (const QChar character : name) {
        const QByteArray code = Gbk::Encode(QString(character)).value_or(QByteArray());
        Q_ASSERT(position < Name_positions && (code.size() == 1 || code.size() == 2));
        image(row, 2 * position) = code.size() == 2 ? quint8(code[0]) : 0;
        image(row, 2 * position + 1) = quint8(code.back());
        ++position;
    }
}

struct Channel_settings {
    int channel;
    int vox;        // column 10
    int power_band; // column 11: bit 1 high power, bits 0 and 2 wide
    int decode;     // column 8
};

const Channel_settings Varied_channels[] = {
    {3, 3, 7, 49}, {4, 0, 5, 120}, {5, 0, 2, 51},  {7, 8, 0, 12},
    {8, 1, 5, 0},  {10, 5, 2, 30}, {12, 2, 7, 60}, {14, 0, 0, 0},
};

} // namespace

void Fill_demo_image(Data_image &image)
{
    Load_default_image(image);
    for (int channel = 1; channel <= 16; ++channel)
        put_name(image, channel, QString::fromUtf8(Channel_names[channel - 1]));
    for (const Channel_settings &s : Varied_channels) {
        image(s.channel, 8) = qint16(s.decode);
        image(s.channel, 10) = qint16(s.vox);
        image(s.channel, 11) = qint16(s.power_band);
    }
    // Channel 9 is a repeater: it receives on 460.825 MHz and transmits
    // 5 MHz above, 465.82500 MHz in BCD, least significant byte first.
    const qint16 repeater_tx[] = {0x00, 0x25, 0x58, 0x46};
    for (int column = 0; column < 4; ++column)
        image(9, column) = repeater_tx[column];

    Put_radio_id_row(image);

    // Frequency mode: 438.125 MHz, tone 12 both ways, VOX 2, low power, wide.
    const qint16 vfo[] = {0x00, 0x25, 0x81, 0x43, 0x00, 0x25, 0x81, 0x43, 12, 12, 2, 5, 0};
    for (int column = 0; column < 13; ++column)
        image(Vfo_row, column) = vfo[column];

    // Squelch 3, time-out 3 min, resume on carrier, scan and battery save on,
    // channel mode, 6.25 kHz step, shift plus 5 MHz.
    const qint16 settings[] = {3, 3, 1, 0x07, 0, 1, 1, 0x00, 0x00, 0x00, 0x05};
    for (int column = 0; column < 11; ++column)
        image(Settings_row, column) = settings[column];

    const qint16 power_levels[] = {40, 120, 220, 2};
    for (int column = 0; column < 4; ++column)
        image(Power_row, column) = power_levels[column];
}

} // namespace r7k::sim
