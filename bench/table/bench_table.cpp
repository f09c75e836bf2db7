// Channel table benchmark: rebuilding all 128 rows when the table becomes
// active, a whole table typed in through the editors, and a whole table
// pasted from a spreadsheet.
//
//   bench_table [activations]   (default 400) prints the figures; the last
//                               line is "activation_ms: X", the median time
//                               of one activation that changes every row,
//                               including the repaint it causes.
//   bench_table paste [pastes]  (default 50) pastes 128 full rows with a
//                               heading line, CR LF line ends, tones, power,
//                               VOX, bandwidth and names, by Ctrl+V into the
//                               table; the last line is "paste_ms: X", the
//                               median time from the key to the repainted
//                               table.
#include "app/windows.h"
#include "channels/channel_name.h"
#include "core/conversions.h"
#include "core/image.h"
#include "shell/main_window.h"
#include "ui/messages.h"

#include <QApplication>
#include <QClipboard>
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

// Counts the messages a paste would show, instead of showing them.
class Message_counter final : public Message_presenter {
public:
    void present(const Message &) override { ++count; }
    bool ask(const Message &) override { return ++count, true; }
    int count = 0;
};

// 128 full channels as a spreadsheet puts them on the clipboard; every value
// differs between the two variants.
QString spreadsheet(int variant)
{
    QString text = QStringLiteral("Channel\tRX Frequency\tTX Frequency\tCTCSS/DCS Dec\t"
                                  "CTCSS/DCS Enc\tTX-Power\tVOX-Level\tWide/Narrow\tName\r\n");
    const QStringList tones{QStringLiteral("67.0"), QStringLiteral("D023N"), QStringLiteral("88.5"),
                            QStringLiteral("D754I")};
    for (int channel = 1; channel <= Channel_count; ++channel) {
        const QStringList values{QString::number(channel),
                                 QString::number(430 + channel * 0.025 + variant, 'f', 5),
                                 QString::number(440 + channel * 0.025 + variant, 'f', 5),
                                 tones[(channel + variant) % 4],
                                 tones[(channel + variant + 1) % 4],
                                 variant ? QStringLiteral("High") : QStringLiteral("Low"),
                                 (channel + variant) % 9 ? QString::number((channel + variant) % 9)
                                                         : QStringLiteral("Off"),
                                 variant ? QStringLiteral("Wide") : QStringLiteral("Narrow"),
                                 (variant ? QStringLiteral("频道") : QStringLiteral("CH")) +
                                     QString::number(channel)};
        text += values.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    return text;
}

int bench_paste(QTableWidget *grid, int pastes)
{
    Message_counter messages;
    Messages::set_presenter(&messages);
    QList<double> times;
    for (int i = 0; i < pastes; ++i) {
        QGuiApplication::clipboard()->setText(spreadsheet(i % 2));
        grid->scrollToTop();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(0, 0)).center());
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
        times.append(clock.nsecsElapsed() / 1e6);
    }
    Messages::set_presenter(nullptr);
    const QString last_name = pastes % 2 ? QStringLiteral("CH128") : QStringLiteral("频道128");
    const bool all_stored = messages.count == 0 && Channel_name(128) == last_name;
    std::printf("pastes: %d of 128 rows\n", pastes);
    std::printf("paste_ms: %.3f%s\n", median(times), all_stored ? "" : " [not all stored]");
    return all_stored ? 0 : 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool paste = argc > 1 && qstrcmp(argv[1], "paste") == 0;
    const int count_argument = paste ? 2 : 1;
    const int count = argc > count_argument ? qMax(1, atoi(argv[count_argument])) : 0;

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
    if (paste)
        return bench_paste(grid, count ? count : 50);
    const int activations = count ? count : 400;

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
