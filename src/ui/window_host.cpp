#include "ui/window_host.h"

#include "core/globals.h"
#include "ui/messages.h"

#include <QDialog>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace r7k {

namespace {

QMdiSubWindow *sub_window_of(QWidget *window)
{
    return window ? qobject_cast<QMdiSubWindow *>(window->parentWidget()) : nullptr;
}

// Moves a document window, and shrinks it where it is larger, so that its
// whole frame with its caption and buttons lies inside the document area.
void keep_inside(QMdiSubWindow *sub, const QRect &area)
{
    QRect frame = sub->geometry();
    frame.setSize(frame.size().boundedTo(area.size()));
    frame.moveLeft(qMax(area.left(), qMin(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(qMax(area.top(), qMin(frame.top(), area.bottom() + 1 - frame.height())));
    sub->setGeometry(frame);
}

// Deletes `window` from the event loop once no message box is up. Every
// event loop of the program besides the main one is a message box's, so then
// no handler of the window is waiting further down the stack.
void delete_after_messages(QObject *window)
{
    Messages::after_messages([held = QPointer<QObject>(window)] {
        if (!held)
            return;
        QMetaObject::invokeMethod(
            held,
            [held] {
                if (Messages::showing())
                    delete_after_messages(held);
                else
                    delete held.data();
            },
            Qt::QueuedConnection);
    });
}

// The window itself, or its document sub-window when it lives in one.
QWidget *outer_window_of(QWidget *window)
{
    QMdiSubWindow *sub = sub_window_of(window);
    return sub ? sub : window;
}

} // namespace

Window_host::Window_host(QMdiArea *mdi_area, QWidget *main_frame)
    : QObject(main_frame), area(mdi_area), frame(main_frame)
{
    connect(area, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow *sub) {
        if (auto *view = sub ? dynamic_cast<Image_view *>(sub->widget()) : nullptr)
            view->activated();
    });
}

Window_host::~Window_host()
{
    for (const QPointer<QWidget> &window : std::as_const(closed))
        delete window.data();
}

void Window_host::set_factory(Window_id id, Factory factory)
{
    factories.insert(id, std::move(factory));
}

bool Window_host::has_factory(Window_id id) const
{
    return factories.contains(id);
}

QWidget *Window_host::open(Window_id id)
{
    close(id);
    const auto factory = factories.constFind(id);
    if (factory == factories.cend())
        return nullptr;

    QWidget *window = (*factory)(frame);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
    windows.insert(id, window);
    set_flag(id, true);
    connect(window, &QObject::destroyed, this, [this, id](QObject *gone) { forget(id, gone); });

    if (qobject_cast<QDialog *>(window)) {
        // A dialog that may have changed the image hands the activation back
        // to the document window under it.
        connect(window, &QObject::destroyed, this, &Window_host::activate_current);
        window->show();
    } else {
        QMdiSubWindow *sub = area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->installEventFilter(this);
        sub->setObjectName(window->objectName() + QStringLiteral("_frame"));
        sub->show(); // the window sizes and places itself as it is shown
        if (area->isVisible())
            keep_inside(sub, area->viewport()->rect());
        area->setActiveSubWindow(sub);
    }
    Q_EMIT opened(id, window);
    return window;
}

void Window_host::close(Window_id id)
{
    QPointer<QWidget> window = windows.take(id);
    set_flag(id, false);
    if (!window)
        return;
    if (auto *link = dynamic_cast<Link_view *>(window.data()))
        link->end_link();
    // Out of the frame at once, so that nothing finds it there any more.
    QWidget *outer = outer_window_of(window);
    outer->hide();
    outer->setParent(nullptr);
    closed.removeAll(nullptr);
    closed.append(outer);
    outer->deleteLater();
}

void Window_host::close_all()
{
    for (Window_id id : windows.keys())
        close(id);
}

QWidget *Window_host::window(Window_id id) const
{
    return windows.value(id);
}

QMdiArea *Window_host::document_area() const
{
    return area;
}

bool Window_host::open_flag(Window_id id) const
{
    Q_ASSERT(Has_open_flag(id));
    return Open_flags[int(id)];
}

void Window_host::reopen_flagged()
{
    for (int flag = 0; flag < Open_flag_count; ++flag)
        if (Open_flags[flag])
            open(Window_id(flag));
}

void Window_host::activate_current()
{
    if (Image_view *view = active_view())
        view->activated();
}

Image_view *Window_host::active_view() const
{
    QMdiSubWindow *sub = area ? area->activeSubWindow() : nullptr;
    return sub ? dynamic_cast<Image_view *>(sub->widget()) : nullptr;
}

void Window_host::commit_pending_edits()
{
    for (const QPointer<QWidget> &window : std::as_const(windows))
        if (auto *view = dynamic_cast<Image_view *>(window.data()))
            view->commit_pending_edit();
}

bool Window_host::busy() const
{
    for (const QPointer<QWidget> &window : windows)
        if (auto *link = dynamic_cast<Link_view *>(window.data()); link && link->busy())
            return true;
    return false;
}

// A window that closes itself while a message box is up waits for the box;
// until then it is closed for everyone, and a command opens a new one.
bool Window_host::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::DeferredDelete || !Messages::showing())
        return false;
    forget_closed(watched);
    delete_after_messages(watched);
    return true;
}

void Window_host::forget_closed(QObject *window)
{
    for (auto it = windows.cbegin(); it != windows.cend(); ++it) {
        if (it.value() && outer_window_of(it.value()) == window) {
            const Window_id id = it.key();
            windows.remove(id);
            set_flag(id, false);
            return;
        }
    }
}

void Window_host::forget(Window_id id, QObject *window)
{
    if (windows.value(id) == window || windows.value(id).isNull()) {
        windows.remove(id);
        set_flag(id, false);
    }
}

void Window_host::set_flag(Window_id id, bool open)
{
    if (Has_open_flag(id))
        Open_flags[int(id)] = open;
}

void Close_window(QWidget *window)
{
    if (QMdiSubWindow *sub = sub_window_of(window))
        sub->close();
    else
        window->close();
}

} // namespace r7k
