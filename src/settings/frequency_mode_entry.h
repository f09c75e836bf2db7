#pragma once

#include "core/bilingual.h"
#include "core/typed_key.h"

#include <QChar>
#include <QString>
#include <optional>

namespace r7k {

// Typing and checking the frequency-mode RX frequency and the offset, and the
// TX frequency that follows from them. The RX frequency reaches the image
// only when the user leaves its field with a frequency inside the band; the
// offset is stored on every accepted keystroke and again on leaving. A
// rejected text is never stored: the window shows the field's message,
// empties the field and, after a check on leaving, keeps the focus in it.

const Bilingual &Rx_range_message();
const Bilingual &Offset_range_message();

// Whether a character typed into a field that holds text is let in.
bool Rx_key_accepted(const QString &text, QChar key);
bool Offset_key_accepted(const QString &text, QChar key);

enum class Entry { Accepted, Rejected };

// Every change of the RX text: a text longer than nine characters is
// rejected. Nothing is stored either way.
Entry Rx_text_changed(const QString &text);

// Leaving the RX field: a text longer than nine characters or a frequency
// outside Freq_low up to (not including) Freq_high is rejected and nothing is
// stored; otherwise the RX frequency is stored and the
// TX frequency follows.
Entry Leave_rx(const QString &rx, int duplex, const QString &offset);

// Every change of the offset text by the user: from 70 MHz up it is rejected
// and the offset is cleared (four 255s), as the field is emptied; otherwise
// the text is stored, an empty one as no offset.
Entry Offset_text_changed(const QString &offset);

// Leaving the offset field: a text equal to `shown`, the text the field was
// last given from the image (none once it was emptied for a rejected
// offset), is kept as it is and nothing is stored. Otherwise a text longer
// than the nine characters of "69.987500" or above 69.9875 MHz is rejected
// and the offset is cleared; any other is stored (an empty field as 0) and
// the TX frequency follows.
Entry Leave_offset(const QString &offset, const std::optional<QString> &shown, int duplex,
                   const QString &rx);

// The TX text that the duplex direction (0 off, 1 plus, 2 minus, -1 none
// chosen) gives for the RX and offset texts, or nothing when there is no
// direction or no RX frequency to follow.
std::optional<QString> Following_tx_text(int duplex, const QString &rx, const QString &offset);

// Stores the TX frequency that follows, if any.
void Follow_duplex(int duplex, const QString &rx, const QString &offset);

// A duplex direction picked by the user: stored, and the TX frequency
// follows, only when there is an RX text. Returns whether it was stored.
bool Pick_duplex(int duplex, const QString &rx, const QString &offset);

} // namespace r7k
