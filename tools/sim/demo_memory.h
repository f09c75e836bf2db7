#pragma once

#include "core/image.h"

namespace r7k::sim {

// Fills the image with the simulated radio's memory as it comes out of the
// box: the factory channels 1..16 with names, a few channels with other VOX,
// power and bandwidth settings, a repeater channel, power levels and
// optional features that differ from the program's start-up defaults, so that
// every column of the channel table and every control shows something.
// Expects a freshly reset image.
void Fill_demo_image(Data_image &image);

} // namespace r7k::sim
