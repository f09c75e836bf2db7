#include "link/dialog_placement.h"

#include "shell/main_window.h"

namespace r7k {

void Place_over_main_window(QWidget *dialog, double width_ratio, double height_ratio,
                            double left_ratio, double top_ratio)
{
    const Main_window *main = Main_window::instance();
    if (!main)
        return;
    const QRect frame = main->frameGeometry();
    const int width = int(frame.width() / width_ratio);
    const int height = int(frame.height() / height_ratio);
    dialog->setGeometry(frame.x() + int((frame.width() - width) / left_ratio),
                        frame.y() + int((frame.height() - height) / top_ratio), width, height);
}

} // namespace r7k
