#pragma once

#include <QString>
#include <array>

namespace r7k {

// Tone names by tone code: 0 no tone, 1..50 CTCSS, 51..154 DCS normal,
// 155..258 the same DCS codes inverted (code k inverted is entry k + 104).
extern std::array<QString, 301> Tone_text;
inline constexpr qint16 Tone_ctcss_last = 50;
inline constexpr qint16 Tone_dcsn_last = 154;
inline constexpr qint16 Tone_last = 258;

// Entry `index` (0..Tone_last) of Tone_text.
const QString &Tone_entry(int index);

// Radio models and their band limits in MHz: low limit of model m at index m,
// high limit at index m + 7.
inline constexpr int Model_count = 7;
extern std::array<QString, Model_count> Model_name;
extern std::array<qint16, 2 * Model_count> Band_limit;

void Init_tone_table();
// Fills the model table and sets Freq_low and Freq_high for Model_no.
void Init_model_table();

} // namespace r7k
