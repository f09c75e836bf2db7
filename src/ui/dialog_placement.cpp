#include "ui/dialog_placement.h"

#include <QWidget>
#include <cmath>

namespace r7k::Dialog_placement {

namespace {

constexpr double Twips_per_inch = 1440;

// The frame on the screen of the window the dialog was made for, or nothing
// for a dialog made without one.
QRect main_frame(const QWidget *dialog)
{
    const QWidget *parent = dialog->parentWidget();
    return parent ? parent->window()->frameGeometry() : QRect();
}

void move_centred(QWidget *dialog, const QRect &main, int top)
{
    dialog->move(main.x() + (main.width() - dialog->width()) / 2, top);
}

} // namespace

int Twips_to_pixels(int twips, const QWidget *widget)
{
    return int(std::lround(twips * widget->logicalDpiY() / Twips_per_inch));
}

void Size_from_main_window(QWidget *dialog, double width_divisor, double height_divisor)
{
    const QRect main = main_frame(dialog);
    if (main.isValid())
        dialog->resize(int(main.width() / width_divisor), int(main.height() / height_divisor));
}

void Place_above_centre(QWidget *dialog, int twips)
{
    const QRect main = main_frame(dialog);
    if (main.isValid())
        move_centred(dialog, main,
                     main.y() + (main.height() - dialog->height()) / 2 -
                         Twips_to_pixels(twips, dialog));
}

void Place_at_top(QWidget *dialog)
{
    const QRect main = main_frame(dialog);
    if (main.isValid())
        move_centred(dialog, main, main.y());
}

void Place_by_divisors(QWidget *dialog, double left_divisor, double top_divisor)
{
    const QRect main = main_frame(dialog);
    if (main.isValid())
        dialog->move(main.x() + int((main.width() - dialog->width()) / left_divisor),
                     main.y() + int((main.height() - dialog->height()) / top_divisor));
}

} // namespace r7k::Dialog_placement
