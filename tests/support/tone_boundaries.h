#pragma once

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
