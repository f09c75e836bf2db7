#pragma once

#include "core/globals.h"
#include "core/image_history.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace r7k {

// A window that shows the data image and loads it again whenever it becomes
// the active window, so changes made meanwhile (a read, a file load) appear.
class Image_view {
public:
    virtual ~Image_view() = default;
    virtual void activated() = 0;
    // Stores an edit the user has begun but not yet finished, if any.
    virtual void commit_pending_edit() {}
    // The Edit menu's Copy and Paste, for a window that has something to copy.
    virtual void copy() {}
    virtual void paste() {}
};

// A window that holds a link to the radio.
class Link_view {
public:
    virtual ~Link_view() = default;
    // True while a transfer runs, which quitting would cut off.
    virtual bool busy() const = 0;
    // The window is closed: its link ends at once and cleanly, whenever the
    // window itself goes.
    virtual void end_link() = 0;
};

// Opens, closes and reopens the program's windows. Choosing a window's
// command closes that window if it is open and opens it anew, so that it
// reloads from the image. Windows that are not dialogs live inside the main
// window's document area. The entry of Open_flags that belongs to a window is
// true exactly while that window is open.
//
// A closed window is hidden, taken out of the frame and forgotten at once,
// but deleted through the event loop, and never while a message box is up:
// the code that showed the box may belong to the window, waiting in the box's
// own event loop for the box to return.
//
// The windows show and edit one image, the program's chann; the host keeps
// its history, so that every window records its changes as steps of it.
class Window_host : public QObject {
    Q_OBJECT
public:
    // Builds a window; the host takes ownership.
    using Factory = std::function<QWidget *(QWidget *parent)>;

    Window_host(QMdiArea *mdi_area, QWidget *main_frame);
    ~Window_host() override;

    void set_factory(Window_id id, Factory factory);
    bool has_factory(Window_id id) const;

    // Closes the window if it is open, then opens it anew. Returns the new
    // window, or nullptr when no factory is set.
    QWidget *open(Window_id id);
    void close(Window_id id);
    void close_all();
    QWidget *window(Window_id id) const;
    // The window's entry in Open_flags: true from its opening until it is
    // closed. Only windows that the language switch rebuilds have one.
    bool open_flag(Window_id id) const;

    // The main window's document area, where windows that are not dialogs live.
    QMdiArea *document_area() const;

    // Closes and reopens every open window that the language switch rebuilds,
    // in the order of Open_flags.
    void reopen_flagged();

    // Runs the activation of the active document window.
    void activate_current();
    // The active document window, when it shows the image.
    Image_view *active_view() const;

    // Stores the unfinished edits of every open document window; a dialog
    // that sends or saves the image calls it first.
    void commit_pending_edits();

    // True while an open window runs a transfer with the radio.
    bool busy() const;

    // The history of the image the windows show, and of where it came from.
    Image_history &history() { return image_history; }

Q_SIGNALS:
    void opened(r7k::Window_id id, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forget(Window_id id, QObject *window);
    void forget_closed(QObject *window);
    void set_flag(Window_id id, bool open);

    QPointer<QMdiArea> area; // gone before the host when the frame goes
    QWidget *frame;
    QHash<Window_id, Factory> factories;
    QHash<Window_id, QPointer<QWidget>> windows;
    // Closed windows, out of the frame, that the event loop has yet to delete.
    QList<QPointer<QWidget>> closed;
    std::array<bool, Open_flag_count> Open_flags{};
    Image_history image_history{chann, &Image_origin};
};

// Closes a window from inside it: its document sub-window when it lives in the
// main window, the window itself otherwise.
void Close_window(QWidget *window);

} // namespace r7k
