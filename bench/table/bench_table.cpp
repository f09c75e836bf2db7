// Channel table benchmark: rebuilding all 128 rows when the table becomes
// active, and a whole table typed in through the editors.
//
//   bench_table [activations]   (default 400) prints the figures; the last
//                               line is "activation_ms: X", the median time
//                               of one activation that changes every row,
//                               including the repaint it causes.
#include "app/windows.h"
#include "channels/channel_name.h"
#include "core/conversions.h"
#include "core/image.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace r7k;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every channel programmed, with tones, power, VOX, bandwidth and a name that
// differ between the two variants, so each activation changes every cell.
void fill_image(int variant)
{
    for (int channel = 1; channel <= Channel_count; ++channel) {
        QString rx = QString::number(400 + channel + variant, 'f', 5);
        Store_freq(rx, channel, 4);
        QString tx = QString::number(410 + channel + variant, 'f', 5);
        Store_freq(tx, channel, 0);
        chann(channel, 8) = qint16((channel + variant) % 155);
        chann(channel, 9) = qint16((channel * 3 + variant) % 155);
        chann(channel, 10) = qint16((channel + variant) % 9);
        chann(channel, 11) = qint16(variant ? 7 : 0);
        chann(channel, 12) = qint16(variant ? 3 : 0);
        Store_channel_name(channel, (variant ? QStringLiteral("频道") : QStringLiteral("CH")) +
                                        QString::number(channel));
    }
}

void type(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, character.toUpper().unicode(), Qt::NoModifier,
                        QString(character));
        QApplication::sendEvent(widget, &press);
    }
}

void press_enter(QWidget *widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int activations = argc > 1 ? qMax(1, atoi(argv[1])) : 400;

    Main_window window;
    Register_windows(window);
    window.start_up();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QWidget *table = window.findChild<QWidget *>(QStringLiteral("frm_chann"));
    auto *view = dynamic_cast<Image_view *>(table);
    auto *grid = table->findChild<QTableWidget *>(QStringLiteral("MSF_chann"));
    auto *text_edit = table->findChild<QLineEdit *>(QStringLiteral("Text_Edit"));
    auto *combo = table->findChild<QComboBox *>(QStringLiteral("Combo_edit"));

    QList<double> rebuild_only;
    QList<double> with_paint;
    QList<double> unchanged;
    for (int i = 0; i < activations; ++i) {
        fill_image(i % 2);
        QElapsedTimer clock;
        clock.start();
        view->activated();
        rebuild_only.append(clock.nsecsElapsed() / 1e6);
        QApplication::processEvents();
        with_paint.append(clock.nsecsElapsed() / 1e6);

        clock.restart();
        view->activated();
        unchanged.append(clock.nsecsElapsed() / 1e6);
        QApplication::processEvents();
    }

    // A whole table typed in: RX, TX, five lists passed with Enter, a name.
    Reset_image();
    view->activated();
    QApplication::processEvents();
    grid->scrollToTop();
    const QPoint first = grid->visualItemRect(grid->item(0, 1)).center();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, first);
    for (int channel = 1; channel <= Channel_count; ++channel) {
        type(text_edit, QString::number(430 + channel * 0.0125, 'f', 4));
        press_enter(text_edit);
        type(text_edit, QString::number(440 + channel * 0.0125, 'f', 4));
        press_enter(text_edit);
        for (int list = 0; list < 5; ++list)
            press_enter(combo);
        type(text_edit, QStringLiteral("名") + QString::number(channel));
        press_enter(text_edit);
        QApplication::processEvents();
    }
    const double edit_ms = clock.nsecsElapsed() / 1e6;
    const bool all_stored =
        !Bcd_to_freq_text(chann(128, 4), chann(128, 5), chann(128, 6), chann(128, 7))
             .startsWith(QLatin1String("1666")) &&
        Channel_name(128) == QStringLiteral("名128");

    std::printf("activations: %d\n", activations);
    std::printf("rebuild_all_rows_ms (median): %.3f\n", median(rebuild_only));
    std::printf("rebuild_unchanged_rows_ms (median): %.3f\n", median(unchanged));
    std::printf("full_edit_128_channels_ms: %.1f (%.2f per channel)%s\n", edit_ms,
                edit_ms / Channel_count, all_stored ? "" : " [not all stored]");
    std::printf("activation_ms: %.3f\n", median(with_paint));
    return all_stored ? 0 : 2;
}
