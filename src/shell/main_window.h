#pragma once

#include "core/bilingual.h"
#include "ui/window_host.h"

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace r7k {

// MDImain: the frame of the program. It owns the menu bar, the toolbar and
// the eight-panel status bar; every other window opens inside or over it.
class Main_window : public QMainWindow {
    Q_OBJECT
public:
    explicit Main_window(QWidget *parent = nullptr);
    ~Main_window() override;

    Window_host &host() { return *windows; }

    // The program's start-up: globals, tables, start-up image, captions, and
    // finally the channel table.
    void start_up();

    // Chinese or English for the whole program; open windows are rebuilt.
    void switch_language(bool chinese);

    // Status bar panels 1..8.
    QString panel_text(int panel) const;
    // Panel 3, "COM" and Port_no.
    void show_port();
    // Panel 7, the band of the selected model.
    void show_band();
    // Panel 2, next to "State": something the user should know that outlives
    // the dialog it happened in, with the details as the panel's tool tip.
    // An empty text clears it.
    void show_state(const Bilingual &text, const Bilingual &details = {});

    QMdiArea *document_area() const { return area; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void build_menus();
    void build_edit_commands(QMenu *edit);
    void step_history(bool back);
    void show_history_state();
    void build_toolbar();
    void build_status_bar();
    void apply_captions(bool at_start_up);
    void enable_commands();
    void set_panel_text(int panel, const QString &text);
    QAction *command(const char *name, Window_id window);

    QMdiArea *area;
    Window_host *windows;
    std::array<QLabel *, 8> panels{};
    std::array<int, 8> panel_widths{}; // set at start-up
    Bilingual state;
    Bilingual state_details;
    QList<std::pair<QAction *, Window_id>> window_commands;
    QList<std::pair<QAction *, QAction *>> toolbar_commands; // button, menu command
    QAction *undo_action = nullptr;
    QAction *redo_action = nullptr;
};

// " 136-- 470 MHZ": the band of the selected model as the status bar shows it.
QString Band_text();

} // namespace r7k
