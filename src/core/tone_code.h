#pragma once

#include <optional>

namespace r7k {

// A tone is stored as a code byte and a polarity bit. Codes 1..Tone_ctcss_last
// are the CTCSS tones, the codes up to Tone_dcsn_last the DCS codes; an
// inverted DCS code keeps its normal code and sets the polarity bit, while its
// entry in Tone_text and in the tone lists lies Tone_dcsn_last -
// Tone_ctcss_last entries further on. The channel table and the frequency
// mode both store their tones this way.

struct Stored_tone {
    int code;
    // Set for an inverted DCS code, cleared for a normal one; off and the
    // CTCSS tones leave the bit as it was.
    std::optional<bool> inverted;
};

// What choosing tone entry `index` (0..Tone_last) stores.
Stored_tone Tone_to_store(int index);

// The tone entry that a stored code and polarity bit show: off and the CTCSS
// tones whatever the bit, a code beyond the DCS codes as the last of them.
int Shown_tone(int code, bool inverted);

// Whether tone entry `index` is an inverted DCS code.
bool Is_inverted_tone(int index);

} // namespace r7k
