#include "channels/channel_rows.h"

#include "channels/channel_name.h"
#include "channels/channel_record.h"

namespace r7k {

namespace {

// The image rows that make up a channel.
int record_row(int channel)
{
    return channel;
}

constexpr int (*Rows_of_channel[])(int) = {record_row, Name_row};

void copy_channel(Data_image &image, int from, int to)
{
    for (auto row_of : Rows_of_channel)
        for (int column = 0; column < Block_bytes; ++column)
            image(row_of(to), column) = image(row_of(from), column);
}

void empty_channel(Data_image &image, int channel)
{
    Clear_channel(channel, image);
    Clear_channel_name(channel, image);
}

} // namespace

bool Channel_in_use(int channel, const Data_image &image)
{
    return !Channel_is_empty(channel, image) || !Channel_name(channel, image).isEmpty();
}

void Insert_empty_channel(int channel, Data_image &image)
{
    for (int to = Channel_count; to > channel; --to)
        copy_channel(image, to - 1, to);
    empty_channel(image, channel);
}

void Delete_channel(int channel, Data_image &image)
{
    for (int to = channel; to < Channel_count; ++to)
        copy_channel(image, to + 1, to);
    empty_channel(image, Channel_count);
}

void Swap_channels(int a, int b, Data_image &image)
{
    for (auto row_of : Rows_of_channel)
        for (int column = 0; column < Block_bytes; ++column)
            std::swap(image(row_of(a), column), image(row_of(b), column));
}

} // namespace r7k
