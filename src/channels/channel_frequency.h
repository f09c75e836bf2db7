#pragma once

#include "core/bilingual.h"
#include "core/image.h"

#include <QString>
#include <optional>

namespace r7k {

// Entering the RX or TX frequency of a channel in the channel table.

// A frequency text is in the band of the selected model when its leading
// number v satisfies Freq_low <= v < Freq_high.
bool In_band(const QString &text);

// The nine-character form of an accepted frequency text ("446" becomes
// "446.00000"); longer texts are left as they are.
QString Normalised_freq_text(const QString &text);

// The low band limit in the same form, put in place of a rejected entry.
QString Band_floor_text();

// What entering a text into a frequency cell of a channel stores. The result
// is the message for the user, if the entry needs one.
//
// RX: an in-band text is stored snapped to the channel grid; an out-of-band
// text is replaced by the low band limit; an empty text deletes the channel
// (its name stays). A channel without an RX frequency, or, when `tx_follows`,
// one without a TX frequency, takes the entry as TX as well and gets the
// new-channel defaults.
std::optional<Bilingual> Enter_rx_freq(int channel, const QString &text, bool tx_follows,
                                       Data_image &image = chann);

// TX: refused while the channel has no RX frequency; otherwise stored like
// RX. An empty text keeps the stored TX frequency.
std::optional<Bilingual> Enter_tx_freq(int channel, const QString &text, Data_image &image = chann);

// "请先输入接收频率 ！": a channel without an RX frequency takes no other entry.
const Bilingual &Rx_first();

// Why entering the text into a frequency column (Rx_column, Tx_column) of the
// channel would not store it as it stands: longer than the cell's editor
// takes, outside the band, or a TX frequency for a channel without RX. An
// empty text has a meaning of its own (see above) and is never refused.
std::optional<Bilingual> Freq_entry_refusal(int channel, int column, const QString &text,
                                            const Data_image &image = chann);

} // namespace r7k
