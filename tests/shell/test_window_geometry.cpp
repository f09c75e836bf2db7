// Where the main window's parts and the windows over it sit, as the ratios of
// the main window that the user's manual gives: every number here is the
// manual's, none is taken from the program.
#include "dialog_driver.h"
#include "link/port_map.h"
#include "message_recorder.h"
#include "started_program.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

using namespace r7k;
using namespace Dialog_driver;

namespace {

// The expected geometry of a window, given the geometry it is measured
// against (the screen for the main window; the main window's frame for a
// dialog; its client area for a window inside it) and the window's own.
using Rule = std::function<QRect(const QRect &main, const QRect &own)>;

int pixels(int twips)
{
    return qRound(twips * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 1440);
}

// The main window's width / width and height / height (0: the window keeps
// its own size), the left edge at (main width - own width) / left and the
// top edge at (main height - own height) / top (0: level with the main
// window's top), then `up` twips higher and `leftward` twips further left.
Rule over_main(double width, double height, double left, double top, int up = 0, int leftward = 0)
{
    return [=](const QRect &main, const QRect &own) {
        const QSize size =
            width > 0 ? QSize(int(main.width() / width), int(main.height() / height)) : own.size();
        const int x = main.x() + int((main.width() - size.width()) / left) - pixels(leftward);
        const int y =
            main.y() + (top > 0 ? int((main.height() - size.height()) / top) : 0) - pixels(up);
        return QRect(QPoint(x, y), size);
    };
}

// Only the width is fixed: `percent` of the main window's at start-up.
Rule width_percent(int percent)
{
    return [=](const QRect &main, const QRect &own) {
        return QRect(own.topLeft(), QSize(main.width() * percent / 100, own.height()));
    };
}

// Only the size is fixed: the screen's divided by `divisor`.
Rule screen_divided(double divisor)
{
    return [=](const QRect &screen, const QRect &own) {
        return QRect(own.topLeft(),
                     QSize(int(screen.width() / divisor), int(screen.height() / divisor)));
    };
}

} // namespace

Q_DECLARE_METATYPE(Rule)

class Test_window_geometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Port_map::Set_mapping(1, QStringLiteral("/dev/null-r7k-no-such-port"));
        program = Start_program();
    }
    void cleanup() { program.reset(); }

    void geometry_data()
    {
        QTest::addColumn<QString>("command"); // opens the window; none for the main window's parts
        QTest::addColumn<QString>("window");
        QTest::addColumn<Rule>("rule");

        const auto row = [](const char *tag, const char *command, const char *window, Rule rule) {
            QTest::newRow(tag) << QString(command) << QString(window) << rule;
        };
        row("main window", "", "MDImain", screen_divided(1.5));
        const int panel_percent[] = {5, 15, 6, 8, 10, 5, 16, 35};
        for (int panel = 1; panel <= 8; ++panel) {
            const QByteArray name = "Panel" + QByteArray::number(panel);
            row(name, "", name, width_percent(panel_percent[panel - 1]));
        }
        row("model", "proc_type", "Form_type", over_main(2, 1.8, 2, 2, 500));
        row("port", "proc_setup", "Form_setup", over_main(2, 1.8, 2, 2, 500));
        row("about", "Menu_About", "frmAbout", over_main(0, 0, 2, 2, 500));
        row("read", "Prog_read", "Form_Comm_Read", over_main(1.6, 3, 2, 1.45));
        row("power", "Adj_Txp", "Form_Adjust_Txp", over_main(1.8, 2, 2, 3));
        row("open file", "File_Open", "Form_open_chann", over_main(1.5, 1.3, 2, 0));
        row("optional features", "Optional_edit", "frm_option",
            over_main(1.04, 1.25, 2, 0, 0, 100));
    }
    void geometry()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(Rule, rule);

        Message_recorder recorder; // the power dialog finds no radio
        const QRect start_up = program->geometry();
        if (!command.isEmpty()) {
            // Large enough that no window is held at its smallest size.
            program->resize(1600, 1200);
            trigger(*program, qPrintable(command));
        }
        const auto *shown =
            program->objectName() == window ? program.get() : program->findChild<QWidget *>(window);
        QVERIFY2(shown, qPrintable(window));

        QRect main, own;
        if (shown == program.get()) {
            main = QGuiApplication::primaryScreen()->geometry();
            own = program->geometry();
        } else if (command.isEmpty()) {
            main = start_up;
            own = shown->geometry();
        } else if (auto *sub = qobject_cast<QMdiSubWindow *>(shown->parentWidget())) {
            main = QRect(QPoint(), program->size());
            own = sub->geometry();
        } else {
            main = program->frameGeometry();
            own = QRect(shown->pos(), shown->size());
        }
        QRect expected = rule(main, own);
        // A panel too narrow for its text grows just enough to show it whole.
        if (const auto *panel = qobject_cast<const QLabel *>(shown))
            expected.setWidth(qMax(expected.width(), panel->sizeHint().width()));
        QCOMPARE(own, expected);
    }

    // On a small screen (the test platform's is smaller than 1024x768) every
    // status bar panel shows its whole text, a completed write's included,
    // and the print preview, titled and showing the sheet's page, has its
    // toolbar's Print inside the screen.
    void small_screen_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Chinese") << "Language_chn";
        QTest::newRow("English") << "Language_eng";
    }
    void small_screen()
    {
        QFETCH(QString, language);
        trigger(*program, qPrintable(language));
        program->show_state({"数据写入完毕 ！ 23:59:59", "Complete writing 23:59:59"});
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (const QLabel *panel : program->statusBar()->findChildren<QLabel *>())
            QVERIFY2(panel->width() >= panel->sizeHint().width(), qPrintable(panel->text()));
        QVERIFY(program->width() <= screen.width());

        trigger(*program, "Print_sheet");
        auto *preview = program->findChild<QPrintPreviewDialog *>();
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(),
                 language == "Language_chn" ? "打印信道表" : "Print Channel Sheet");
        QTRY_COMPARE(preview->findChild<QPrintPreviewWidget *>()->pageCount(), 1);
        auto *toolbar = preview->findChild<QToolBar *>();
        const QWidget *print = toolbar->widgetForAction(toolbar->actions().constLast());
        QVERIFY(print && print->isVisible());
        QVERIFY(screen.contains(QRect(print->mapToGlobal(QPoint()), print->size())));
        preview->close();
    }

private:
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_window_geometry)
#include "test_window_geometry.moc"
