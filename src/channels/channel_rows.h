#pragma once

namespace r7k {

// Moving channels within the table. A channel moves with its name: both its
// record row and its name row go to the new place.

// A channel is in use when it is programmed or has a name.
bool Channel_in_use(int channel);

// Channels n..127 move down by one; channel 128 is lost; channel n is empty.
void Insert_empty_channel(int channel);

// Channels n+1..128 move up by one; channel 128 is empty.
void Delete_channel(int channel);

// Channels a and b change places.
void Swap_channels(int a, int b);

} // namespace r7k
