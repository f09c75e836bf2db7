#include "channels/channel_rows.h"

#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/image.h"

namespace r7k {

namespace {

// The image rows that make up a channel.
int record_row(int channel)
{
    return channel;
}

constexpr int (*Rows_of_channel[])(int) = {record_row, Name_row};

void copy_channel(int from, int to)
{
    for (auto row_of : Rows_of_channel)
        for (int column = 0; column < Block_bytes; ++column)
            chann(row_of(to), column) = chann(row_of(from), column);
}

void empty_channel(int channel)
{
    Clear_channel(channel);
    Clear_channel_name(channel);
}

} // namespace

bool Channel_in_use(int channel)
{
    return !Channel_is_empty(channel) || !Channel_name(channel).isEmpty();
}

void Insert_empty_channel(int channel)
{
    for (int to = Channel_count; to > channel; --to)
        copy_channel(to - 1, to);
    empty_channel(channel);
}

void Delete_channel(int channel)
{
    for (int to = channel; to < Channel_count; ++to)
        copy_channel(to + 1, to);
    empty_channel(Channel_count);
}

void Swap_channels(int a, int b)
{
    for (auto row_of : Rows_of_channel)
        for (int column = 0; column < Block_bytes; ++column)
            std::swap(chann(row_of(a), column), chann(row_of(b), column));
}

} // namespace r7k
