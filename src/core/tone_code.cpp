#include "core/tone_code.h"

#include "core/tables.h"

#include <QtGlobal>

namespace r7k {

namespace {

// How far the inverted twin of a DCS entry lies from its normal entry.
int inversion_distance()
{
    return Tone_dcsn_last - Tone_ctcss_last;
}

} // namespace

Stored_tone Tone_to_store(int index)
{
    Q_ASSERT(index >= 0 && index <= Tone_last);
    if (index <= Tone_ctcss_last)
        return {index, std::nullopt};
    if (index <= Tone_dcsn_last)
        return {index, false};
    return {index - inversion_distance(), true};
}

int Shown_tone(int code, bool inverted)
{
    if (code <= Tone_ctcss_last)
        return qMax(code, 0);
    return qMin(code, int(Tone_dcsn_last)) + (inverted ? inversion_distance() : 0);
}

bool Is_inverted_tone(int index)
{
    return index > Tone_dcsn_last;
}

} // namespace r7k
