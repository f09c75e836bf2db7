#include "core/image_history.h"

namespace r7k {

Image_history::Image_history(Data_image &of_image) : image(of_image) {}

void Image_history::begin()
{
    if (depth++ == 0)
        at_begin = image;
}

void Image_history::end()
{
    Q_ASSERT(depth > 0);
    if (--depth > 0 || image == at_begin)
        return;
    Step step;
    for (int row = 0; row < Data_image::rows; ++row) {
        const Row before = row_of(at_begin, row);
        const Row after = row_of(image, row);
        if (before != after)
            step.append({row, before, after});
    }
    done.append(step);
    undone.clear();
    Q_EMIT changed();
}

void Image_history::undo()
{
    Q_ASSERT(depth == 0);
    if (done.isEmpty())
        return;
    const Step step = done.takeLast();
    for (const Row_change &change : step)
        put_row(change.row, change.before);
    undone.append(step);
    Q_EMIT changed();
}

void Image_history::redo()
{
    Q_ASSERT(depth == 0);
    if (undone.isEmpty())
        return;
    const Step step = undone.takeLast();
    for (const Row_change &change : step)
        put_row(change.row, change.after);
    done.append(step);
    Q_EMIT changed();
}

void Image_history::clear()
{
    done.clear();
    undone.clear();
    Q_EMIT changed();
}

Image_history::Row Image_history::row_of(const Data_image &from, int row) const
{
    Row cells;
    for (int column = 0; column < Data_image::columns; ++column)
        cells[column] = from(row, column);
    return cells;
}

void Image_history::put_row(int row, const Row &cells)
{
    for (int column = 0; column < Data_image::columns; ++column)
        image(row, column) = cells[column];
}

Image_history &History()
{
    static Image_history history(chann);
    return history;
}

} // namespace r7k
