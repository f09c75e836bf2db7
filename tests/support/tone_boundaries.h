#pragma once

#include <QString>
#include <QTest>
#include <optional>

// The tone list entries at the edges of each run (off, CTCSS, DCS normal,
// DCS inverted) and what choosing one stores: the tone code, and the
// polarity bit set, cleared or (off and CTCSS) kept as it was.
struct Tone_boundary {
    int index;
    int code;
    std::optional<bool> inverted;
};

inline constexpr Tone_boundary Tone_boundaries[] = {
    {0, 0, std::nullopt}, {1, 1, std::nullopt}, {50, 50, std::nullopt}, {51, 51, false},
    {154, 154, false},    {155, 51, true},      {258, 154, true},
};

// Picks each entry at an edge through `pick`, with the polarity bit `bit` of
// the cell `polarity` clear and then set before: the tone cell must hold the
// entry's code, the bit what the entry says, and `shown` must give the entry
// back.
template <class Pick, class Code, class Shown>
void Check_tone_edges(qint16 &polarity, int bit, Pick pick, Code code, Shown shown)
{
    for (const Tone_boundary &edge : Tone_boundaries)
        for (const bool before : {false, true}) {
            polarity = qint16(0xF0 | (before ? bit : 0));
            pick(edge.index);
            const bool inverted = edge.inverted.value_or(before);
            QVERIFY2(code() == edge.code && polarity == (0xF0 | (inverted ? bit : 0)) &&
                         shown() == edge.index,
                     qPrintable(QStringLiteral("bit %1, entry %2, set before: %3")
                                    .arg(bit)
                                    .arg(edge.index)
                                    .arg(before)));
        }
}
