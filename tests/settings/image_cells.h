#pragma once

#include "core/image.h"

#include <QList>

// Cells first..last of one image row, as plain numbers to compare.
inline QList<int> cells(int row, int first, int last, const r7k::Data_image &image = r7k::chann)
{
    QList<int> values;
    for (int c = first; c <= last; ++c)
        values.append(image(row, c));
    return values;
}
