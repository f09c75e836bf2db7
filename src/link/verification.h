#pragma once

#include "core/bilingual.h"
#include "core/image.h"

#include <QList>

namespace r7k {

// Comparing what a radio holds with the image that was written to it, block
// by block, and saying what the blocks that differ hold.
namespace Verification {

// What a block of the image holds: "channel 5", "the name of channel 5",
// "the optional features", "the frequency mode", ...
Bilingual Block_meaning(int block);

// The blocks a write sends whose bytes differ between the image that was
// written and the image read back from the radio, in the order of a write.
QList<int> Differing_blocks(const Data_image &written, const Data_image &read_back);

// The outcome for the user: that the radio holds the current data, or the
// list of the blocks that differ with their meaning.
Bilingual Outcome_text(const QList<int> &differing);

} // namespace Verification
} // namespace r7k
