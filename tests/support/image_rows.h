#pragma once

#include "core/image.h"

#include <QByteArray>
#include <QList>
#include <algorithm>

// Cells first..last of one row of a table: by default the image, else any
// table read as table(row, column) (the reply buffer, an image of its own)
// or as table.byte(row, column) (the simulated radio's memory). As plain
// numbers to compare with documented values, or as bytes (cells<QByteArray>)
// to compare with what travels over the wire.
template <class Cells = QList<int>, class Table = r7k::Data_image>
Cells cells(int row, int first, int last, const Table &table = r7k::chann)
{
    Cells values;
    for (int column = first; column <= last; ++column) {
        if constexpr (requires { table.byte(row, column); })
            values.append(typename Cells::value_type(table.byte(row, column)));
        else
            values.append(typename Cells::value_type(table(row, column)));
    }
    return values;
}

// Blocks 1..128, 131, 140 and 144..last in transfer order: a read brings
// them up to 272, a write sends them up to 271.
inline QList<int> Transfer_blocks(int last)
{
    QList<int> blocks;
    for (int block = 1; block <= last; ++block)
        if (block <= 128 || block == 131 || block == 140 || block >= 144)
            blocks.append(block);
    return blocks;
}

// Columns 0..15 of each of `blocks` are the same in both tables.
template <class A, class B> bool Same_blocks(const QList<int> &blocks, const A &a, const B &b)
{
    return std::ranges::all_of(blocks, [&](int block) {
        return cells<QByteArray>(block, 0, 15, a) == cells<QByteArray>(block, 0, 15, b);
    });
}
