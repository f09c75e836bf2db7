#pragma once

class QWidget;

namespace r7k {

// Dialogs take their size from the main window's and place themselves over
// it: the main window is the window a dialog is made for, its parent. A
// dialog without a parent keeps its own size and place. Distances are given
// in twips (1/1440 inch) and converted with the screen's logical resolution.
namespace Dialog_placement {

int Twips_to_pixels(int twips, const QWidget *widget);

// The main window's width / width_divisor and height / height_divisor.
void Size_from_main_window(QWidget *dialog, double width_divisor, double height_divisor);

// Centred horizontally over the main window, the dialog's centre `twips`
// above the main window's vertical centre.
void Place_above_centre(QWidget *dialog, int twips);

// Centred horizontally over the main window, level with its top edge.
void Place_at_top(QWidget *dialog);

// Counted from the main window's top-left corner: left edge at
// (main width - width) / left_divisor, top edge at (main height - height) / top_divisor.
void Place_by_divisors(QWidget *dialog, double left_divisor, double top_divisor);

} // namespace Dialog_placement
} // namespace r7k
