#pragma once

#include "core/image.h"
#include "csv/chirp_row.h"

#include <QStringList>
#include <optional>

namespace r7k {

// The tone list of the channel table: the index of an entry is the choice
// that stores it.
class Tone_list {
public:
    Tone_list();

    // The list index of a tone, or nothing when the tone table lacks it.
    std::optional<int> index_of(const Csv_tone &tone) const;
    Csv_tone tone_at(int index) const;

private:
    QStringList items;
};

// A stored frequency of a channel in Hz; `first` is its first column.
qint64 Stored_hz(const Data_image &image, int channel, int first);

// A channel of the image as the list carries it.
Csv_channel Listed_channel(const Data_image &image, int channel, const Tone_list &tones);

// The band of a model in Hz: from `low` up to, but not including, `high`.
struct Band {
    qint64 low = 0;
    qint64 high = 0;

    static Band of_model(int model);
    bool holds(qint64 hz) const { return hz >= low && hz < high; }
    // "from 136 MHz up to, but not including, 470 MHz"
    Bilingual text() const;
};

} // namespace r7k
