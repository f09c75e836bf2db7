#include "shell/main_window.h"

#include "core/conversions.h"
#include "core/globals.h"
#include "core/image.h"
#include "core/image_history.h"
#include "core/tables.h"
#include "shell/application_icon.h"
#include "shell/history_captions.h"
#include "shell/toolkit_language.h"
#include "ui/messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace r7k {

namespace {

// Captions of the menus and of their items, by control name.
struct Caption {
    const char *control;
    Bilingual text;
};

const Caption Menu_captions[] = {
    {"File", {QStringLiteral("文件"), QStringLiteral("File")}},
    {"File_New", {QStringLiteral("新建"), QStringLiteral("New")}},
    {"File_Open", {QStringLiteral("打开"), QStringLiteral("Open")}},
    {"File_save", {QStringLiteral("保存"), QStringLiteral("Save")}},
    {"File_saveas", {QStringLiteral("另存为"), QStringLiteral("Save As")}},
    {"File_export_csv", {QStringLiteral("导出 CSV..."), QStringLiteral("Export CSV...")}},
    {"File_import_csv", {QStringLiteral("导入 CSV..."), QStringLiteral("Import CSV...")}},
    {"File_open_backup", {QStringLiteral("打开备份..."), QStringLiteral("Open Backup...")}},
    {"Print_sheet", {QStringLiteral("打印信道表..."), QStringLiteral("Print Channel Sheet...")}},
    {"Export_pdf", {QStringLiteral("导出 PDF..."), QStringLiteral("Export PDF...")}},
    {"File_exit", {QStringLiteral("退出"), QStringLiteral("Exit")}},
    {"proc_type", {QStringLiteral("机型"), QStringLiteral("Model")}},
    {"Edit", {QStringLiteral("编辑"), QStringLiteral("Edit")}},
    {"Channel_edit", {QStringLiteral("信道信息"), QStringLiteral("Channel Information ")}},
    {"Optional_edit", {QStringLiteral("可选功能"), QStringLiteral("Optional Features")}},
    {"Edit_copy", {QStringLiteral("复制"), QStringLiteral("Copy")}},
    {"Edit_paste", {QStringLiteral("粘贴"), QStringLiteral("Paste")}},
    {"Program", {QStringLiteral("编程"), QStringLiteral("Program")}},
    {"Prog_read", {QStringLiteral("从对讲机读取数据"), QStringLiteral("Read from radio")}},
    {"Prog_write", {QStringLiteral("向对讲机写入数据"), QStringLiteral("Write to radio")}},
    {"Prog_verify", {QStringLiteral("校验对讲机数据"), QStringLiteral("Verify radio data")}},
    {"Adjust", {QStringLiteral("调整"), QStringLiteral("Adjust")}},
    {"Adj_Txp", {QStringLiteral("发射功率调整"), QStringLiteral("Power Adjust")}},
    {"proc_setup", {QStringLiteral("端口设置"), QStringLiteral("Communication")}},
    {"Language_Setup", {QStringLiteral("语言"), QStringLiteral("Language")}},
    {"Menu_About", {QStringLiteral("关于"), QStringLiteral("About")}},
    {"Menu_exit", {QStringLiteral("退出"), QStringLiteral("Exit")}},
};

// Start-up writes two Chinese captions with a blank that a later switch drops.
const QString Model_caption_at_start_up = QStringLiteral("机 型");
const QString Band_label_at_start_up = QStringLiteral("频 段");

const Bilingual State_label{QStringLiteral("状态"), QStringLiteral("State")};
const Bilingual Version_label{QStringLiteral("软件版本"), QStringLiteral("  Version")};
const Bilingual Band_label{QStringLiteral("频段"), QStringLiteral("Band")};
const Bilingual Maker_name{QStringLiteral("NorvikTALVEN电子有限公司"),
                           QStringLiteral("Norvik TALVEN Electronic Co.,Ltd. ")};
const Bilingual Title{QStringLiteral("NorvikTALVEN电子有限公司  R7K 系列对讲机编程软件 "),
                      QStringLiteral("Norvik TALVEN Electronic Co.,Ltd. R7K series program "
                                     "software ")};

// Asked before the program quits in the middle of a transfer.
const Bilingual Quit_during_transfer{
    QStringLiteral("正在与对讲机进行读写操作，现在退出将中断读写。确定退出吗？"),
    QStringLiteral("A read or write with the transceiver is in progress. Exiting now interrupts "
                   "it. Exit anyway?")};

// Status bar panels 1..8, widths in percent of the window's width at start-up.
constexpr int Panel_width_percent[8] = {5, 15, 6, 8, 10, 5, 16, 35};

} // namespace

QString Band_text()
{
    return QLatin1Char(' ') + Number_text(Freq_low) + QStringLiteral("--") + QLatin1Char(' ') +
           Number_text(Freq_high) + QStringLiteral(" MHZ");
}

Main_window::Main_window(QWidget *parent)
    : QMainWindow(parent), area(new QMdiArea(this)), windows(new Window_host(area, this))
{
    setObjectName(QStringLiteral("MDImain"));
    setWindowIcon(Application_icon());
    area->setObjectName(QStringLiteral("MDIClient"));
    // A window larger than the document area can still be reached whole.
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area);
    build_menus();
    build_toolbar();
    build_status_bar();
}

Main_window::~Main_window()
{
    windows->close_all();
}

QAction *Main_window::command(const char *name, Window_id window)
{
    auto *action = new QAction(this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, [this, window] { windows->open(window); });
    window_commands.append({action, window});
    return action;
}

void Main_window::build_menus()
{
    const auto menu = [this](const char *name) {
        QMenu *m = menuBar()->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("_menu"));
        return m;
    };
    const auto plain = [this](const char *name) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    const auto quit = [this](const char *name) {
        QAction *action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, &QWidget::close);
        return action;
    };

    QMenu *file = menu("File");
    QAction *file_new = plain("File_New");
    file_new->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    file->addAction(file_new);
    QAction *file_open = command("File_Open", Window_id::Open_chann);
    file_open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addAction(file_open);
    QAction *file_save = command("File_save", Window_id::Save_chann);
    file_save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addAction(file_save);
    file->addAction(command("File_saveas", Window_id::Save_chann));
    file->addSeparator();
    file->addAction(command("File_export_csv", Window_id::Export_csv));
    file->addAction(command("File_import_csv", Window_id::Import_csv));
    file->addAction(command("File_open_backup", Window_id::Open_backup));
    file->addSeparator();
    file->addAction(command("Print_sheet", Window_id::Print_sheet));
    file->addAction(command("Export_pdf", Window_id::Export_pdf));
    file->addSeparator();
    file->addAction(quit("File_exit"));

    menuBar()->addAction(command("proc_type", Window_id::Type));

    QMenu *edit = menu("Edit");
    edit->addAction(command("Channel_edit", Window_id::Chann));
    edit->addAction(command("Optional_edit", Window_id::Option));
    build_edit_commands(edit);

    QMenu *program = menu("Program");
    QAction *read = command("Prog_read", Window_id::Comm_read);
    read->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    program->addAction(read);
    QAction *write = command("Prog_write", Window_id::Comm_write);
    write->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    program->addAction(write);
    program->addAction(command("Prog_verify", Window_id::Comm_verify));

    menu("Adjust")->addAction(command("Adj_Txp", Window_id::Adjust_txp));
    menuBar()->addAction(command("proc_setup", Window_id::Setup));

    QMenu *language = menu("Language_Setup");
    QAction *chinese = plain("Language_chn");
    QAction *english = plain("Language_eng");
    chinese->setText(QStringLiteral("中文"));
    english->setText(QStringLiteral("English"));
    for (QAction *choice : {chinese, english}) {
        choice->setCheckable(true);
        language->addAction(choice);
    }
    connect(chinese, &QAction::triggered, this, [this] { switch_language(true); });
    connect(english, &QAction::triggered, this, [this] { switch_language(false); });

    menuBar()->addAction(command("Menu_About", Window_id::About));
    menuBar()->addAction(quit("Menu_exit"));
}

// Undo and Redo walk the image's history; Copy and Paste belong to the active
// window. Each first stores what the user has typed but not yet finished.
void Main_window::build_edit_commands(QMenu *edit)
{
    const auto add = [this, edit](const char *name, QList<QKeySequence> keys, auto run) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, run);
        edit->addAction(action);
        return action;
    };
    edit->addSeparator();
    undo_action = add("Edit_undo", {QKeySequence::Undo}, [this] { step_history(true); });
    redo_action =
        add("Edit_redo",
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
            [this] { step_history(false); });
    edit->addSeparator();
    add("Edit_copy", {QKeySequence::Copy}, [this] {
        if (Image_view *view = windows->active_view())
            view->copy();
    });
    add("Edit_paste", {QKeySequence::Paste}, [this] {
        if (Image_view *view = windows->active_view())
            view->paste();
    });
    connect(&windows->history(), &Image_history::changed, this, &Main_window::show_history_state);
    show_history_state();
}

void Main_window::step_history(bool back)
{
    windows->commit_pending_edits();
    if (back)
        windows->history().undo();
    else
        windows->history().redo();
    windows->activate_current();
}

void Main_window::show_history_state()
{
    Show_history_state(windows->history(), *undo_action, *redo_action);
}

void Main_window::build_toolbar()
{
    QToolBar *toolbar = addToolBar(QString());
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    const struct {
        const char *key;
        const char *command;
        QStyle::StandardPixmap icon;
    } buttons[] = {
        {"open", "File_Open", QStyle::SP_DialogOpenButton},
        {"save", "File_save", QStyle::SP_DialogSaveButton},
        {"edit_chann", "Channel_edit", QStyle::SP_FileDialogDetailedView},
        {"read", "Prog_read", QStyle::SP_ArrowDown},
        {"write", "Prog_write", QStyle::SP_ArrowUp},
        {"Exit", "Menu_exit", QStyle::SP_DialogCloseButton},
    };
    for (const auto &button : buttons) {
        QAction *target = findChild<QAction *>(QLatin1String(button.command));
        QAction *action = toolbar->addAction(style()->standardIcon(button.icon), QString());
        action->setObjectName(QLatin1String(button.key));
        action->setData(QLatin1String(button.key));
        connect(action, &QAction::triggered, target, &QAction::trigger);
        toolbar_commands.append(std::pair{action, target});
    }
}

void Main_window::build_status_bar()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    for (int i = 0; i < int(panels.size()); ++i) {
        panels[i] = new QLabel(this);
        panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panels[i]->setFrameShape(QFrame::Panel);
        panels[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(panels[i], i + 1 == int(panels.size()) ? 1 : 0);
    }
}

void Main_window::start_up()
{
    Language = true;
    Set_about_texts();

    const QSize screen = QGuiApplication::primaryScreen()->size();
    resize(int(screen.width() / 1.5), int(screen.height() / 1.5));
    for (int i = 0; i < int(panels.size()); ++i) {
        panel_widths[i] = width() * Panel_width_percent[i] / 100;
        panels[i]->setFixedWidth(panel_widths[i]);
    }

    apply_captions(true);
    Port_no = 1;
    show_port();
    Model_no = 0;
    Init_tone_table();
    Init_model_table();
    set_panel_text(5, Version);
    show_band();
    Reset_image();
    Image_origin = {};
    windows->history().clear();
    enable_commands();
    windows->open(Window_id::Chann);
}

void Main_window::apply_captions(bool at_start_up)
{
    for (const Caption &caption : Menu_captions) {
        auto *action = findChild<QAction *>(QLatin1String(caption.control));
        if (auto *menu = findChild<QMenu *>(QLatin1String(caption.control)))
            action = menu->menuAction();
        action->setText(caption.text.text());
    }
    findChild<QAction *>(QStringLiteral("Language_chn"))->setChecked(Language);
    findChild<QAction *>(QStringLiteral("Language_eng"))->setChecked(!Language);
    // A toolbar button's tooltip is the menu caption of its command.
    for (const auto &[button, command] : std::as_const(toolbar_commands))
        button->setToolTip(command->text());
    Use_toolkit_language(Language);

    set_panel_text(1, State_label.text());
    show_state(state, state_details);
    set_panel_text(4, Version_label.text());
    set_panel_text(6, Band_label.text());
    set_panel_text(8, Maker_name.text());
    setWindowTitle(Title.text());
    show_history_state();
    if (at_start_up && Language) {
        findChild<QAction *>(QStringLiteral("proc_type"))->setText(Model_caption_at_start_up);
        set_panel_text(6, Band_label_at_start_up);
    }
}

void Main_window::switch_language(bool chinese)
{
    if (Language != chinese) {
        Language = chinese;
        Set_about_texts();
    }
    apply_captions(false);
    show_port();
    windows->reopen_flagged();
}

void Main_window::enable_commands()
{
    for (const auto &[action, window] : window_commands)
        action->setEnabled(windows->has_factory(window));
}

QString Main_window::panel_text(int panel) const
{
    return panels[panel - 1]->text();
}

void Main_window::set_panel_text(int panel, const QString &text)
{
    // A panel is never narrower than its text: on a small screen the shares
    // of the window's width are too narrow for some English texts.
    QLabel *label = panels[panel - 1];
    label->setText(text);
    label->setFixedWidth(qMax(panel_widths[panel - 1], label->sizeHint().width()));
}

void Main_window::show_port()
{
    set_panel_text(3, QStringLiteral("COM%1").arg(Port_no));
}

void Main_window::show_band()
{
    set_panel_text(7, Band_text());
}

void Main_window::show_state(const Bilingual &text, const Bilingual &details)
{
    state = text;
    state_details = details;
    set_panel_text(2, state.text());
    panels[1]->setToolTip(state_details.text());
}

// Quitting asks nothing, except while a transfer runs: a write cut off
// leaves the radio half written. Closing the windows ends their links.
void Main_window::closeEvent(QCloseEvent *event)
{
    if (windows->busy() && !Messages::ask(Quit_during_transfer)) {
        event->ignore();
        return;
    }
    windows->close_all();
    event->accept();
}

} // namespace r7k
