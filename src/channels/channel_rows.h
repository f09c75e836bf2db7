#pragma once

#include "core/image.h"

namespace r7k {

// Moving channels within the table of an image. A channel moves with its
// name: both its record row and its name row go to the new place.

// A channel is in use when it is programmed or has a name.
bool Channel_in_use(int channel, const Data_image &image);

// Channels n..127 move down by one; channel 128 is lost; channel n is empty.
void Insert_empty_channel(int channel, Data_image &image);

// Channels n+1..128 move up by one; channel 128 is empty.
void Delete_channel(int channel, Data_image &image);

// Channels a and b change places.
void Swap_channels(int a, int b, Data_image &image);

} // namespace r7k
