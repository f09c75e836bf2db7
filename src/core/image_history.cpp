#include "core/image_history.h"

namespace r7k {

Image_history::Image_history(Data_image &of_image, Image_source *of_source)
    : image(of_image), source(of_source)
{}

void Image_history::begin(const Bilingual &name)
{
    if (depth++ > 0)
        return;
    at_begin = image;
    source_at_begin = source ? *source : Image_source();
    name_at_begin = name;
}

void Image_history::end()
{
    Q_ASSERT(depth > 0);
    const Image_source source_now = source ? *source : Image_source();
    if (--depth > 0 || (image == at_begin && source_now == source_at_begin))
        return;
    Step step{{}, name_at_begin, source_at_begin, source_now};
    for (int row = 0; row < Data_image::rows; ++row) {
        const Row before = row_of(at_begin, row);
        const Row after = row_of(image, row);
        if (before != after)
            step.rows.append({row, before, after});
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
    for (const Row_change &change : step.rows)
        put_row(change.row, change.before);
    put_source(step.source_before);
    undone.append(step);
    Q_EMIT changed();
}

void Image_history::redo()
{
    Q_ASSERT(depth == 0);
    if (undone.isEmpty())
        return;
    const Step step = undone.takeLast();
    for (const Row_change &change : step.rows)
        put_row(change.row, change.after);
    put_source(step.source_after);
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

void Image_history::put_source(const Image_source &value)
{
    if (source)
        *source = value;
}

} // namespace r7k
