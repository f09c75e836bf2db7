#pragma once

class QWidget;

namespace r7k {

// Sizes a link dialog from the main window and places it over it, counted
// from the main window's top-left corner:
//   width  = main width / width_ratio,  left = (main width - width) / left_ratio
//   height = main height / height_ratio, top = (main height - height) / top_ratio
void Place_over_main_window(QWidget *dialog, double width_ratio, double height_ratio,
                            double left_ratio, double top_ratio);

} // namespace r7k
