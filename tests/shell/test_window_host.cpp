#include "core/globals.h"
#include "shell/window_host.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace r7k;

namespace {

// A document window that counts its activations and pending-edit commits.
class Counting_view : public QWidget, public Image_view {
public:
    using QWidget::QWidget;
    void activated() override { ++activations; }
    void commit_pending_edit() override { ++commits; }
    int activations = 0;
    int commits = 0;
};

} // namespace

class Test_window_host : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        frame = std::make_unique<QWidget>();
        area = new QMdiArea(frame.get());
        host = new Window_host(area, frame.get());
        host->set_factory(Window_id::Chann, [this](QWidget *) {
            ++built;
            return new Counting_view;
        });
        host->set_factory(Window_id::Setup, [](QWidget *parent) { return new QDialog(parent); });
        frame->show();
        Open_flags.fill(false);
        built = 0;
    }
    void cleanup() { frame.reset(); }

    void opening_again_replaces_the_window()
    {
        QWidget *first = host->open(Window_id::Chann);
        QVERIFY(Open_flags_of(Open_flag::Chann));
        QPointer<QWidget> old = first;
        QWidget *second = host->open(Window_id::Chann);
        QVERIFY(old.isNull());
        QVERIFY(second != nullptr);
        QCOMPARE(host->window(Window_id::Chann), second);
        QCOMPARE(area->subWindowList().size(), 1);
        QCOMPARE(built, 2);
        QVERIFY(Open_flags_of(Open_flag::Chann));
    }

    void closing_by_the_window_clears_its_flag()
    {
        QWidget *dialog = host->open(Window_id::Setup);
        QVERIFY(Open_flags_of(Open_flag::Setup));
        Close_window(dialog);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Open_flags_of(Open_flag::Setup));
        QVERIFY(!host->window(Window_id::Setup));

        QWidget *view = host->open(Window_id::Chann);
        Close_window(view);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Open_flags_of(Open_flag::Chann));
        QVERIFY(area->subWindowList().isEmpty());
    }

    void reopen_flagged_rebuilds_open_windows_only()
    {
        host->open(Window_id::Chann);
        host->reopen_flagged();
        QCOMPARE(built, 2);
        QVERIFY(!host->window(Window_id::Setup));
    }

    void closing_a_dialog_reactivates_the_document_window()
    {
        auto *view = static_cast<Counting_view *>(host->open(Window_id::Chann));
        const int activations = view->activations;
        host->open(Window_id::Setup);
        host->close(Window_id::Setup);
        QCOMPARE(view->activations, activations + 1);
        host->commit_pending_edits();
        QCOMPARE(view->commits, 1);
    }

    void unknown_windows_stay_inert()
    {
        QCOMPARE(host->open(Window_id::About), nullptr);
        QVERIFY(!Open_flags_of(Open_flag::About));
        QVERIFY(!host->has_factory(Window_id::About));
    }

private:
    std::unique_ptr<QWidget> frame;
    QMdiArea *area = nullptr;
    Window_host *host = nullptr;
    int built = 0;
};

QTEST_MAIN(Test_window_host)
#include "test_window_host.moc"
