#include "shell/dialog_placement.h"

#include "shell/main_window.h"

#include <QWidget>
#include <cmath>

namespace r7k::Dialog_placement {

namespace {

constexpr double Twips_per_inch = 1440;

// The main window's frame on the screen, or nothing before it exists.
QRect main_frame()
{
    const Main_window *main = Main_window::instance();
    return main ? main->frameGeometry() : QRect();
}

void move_centred(QWidget *dialog, int top)
{
    const QRect main = main_frame();
    dialog->move(main.x() + (main.width() - dialog->width()) / 2, top);
}

} // namespace

int Twips_to_pixels(int twips, const QWidget *widget)
{
    return int(std::lround(twips * widget->logicalDpiY() / Twips_per_inch));
}

void Size_from_main_window(QWidget *dialog, double width_divisor, double height_divisor)
{
    const QRect main = main_frame();
    if (main.isValid())
        dialog->resize(int(main.width() / width_divisor), int(main.height() / height_divisor));
}

void Place_above_centre(QWidget *dialog, int twips)
{
    const QRect main = main_frame();
    if (main.isValid())
        move_centred(dialog, main.y() + (main.height() - dialog->height()) / 2 -
                                 Twips_to_pixels(twips, dialog));
}

void Place_at_top(QWidget *dialog)
{
    const QRect main = main_frame();
    if (main.isValid())
        move_centred(dialog, main.y());
}

void Place_by_divisors(QWidget *dialog, double left_divisor, double top_divisor)
{
    const QRect main = main_frame();
    if (main.isValid())
        dialog->move(main.x() + int((main.width() - dialog->width()) / left_divisor),
                     main.y() + int((main.height() - dialog->height()) / top_divisor));
}

} // namespace r7k::Dialog_placement
