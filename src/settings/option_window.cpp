#include "settings/option_window.h"

#include "core/bilingual.h"
#include "core/globals.h"
#include "core/image_history.h"
#include "core/tone_code.h"
#include "core/typed_key.h"
#include "settings/frequency_mode_entry.h"
#include "settings/option_texts.h"
#include "ui/dialog_placement.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalBlocker>

namespace r7k {

namespace {

// What Undo and Redo call a change made in this window.
const Bilingual Features_step{QStringLiteral("可选功能"), QStringLiteral("Optional Features")};

// The order in which Show_options sets the lists, between its other steps.
constexpr Option_list Settings_lists[] = {Option_list::Sql, Option_list::TOT, Option_list::Scan_way,
                                          Option_list::Mode};
constexpr Option_list Step_lists[] = {Option_list::Step, Option_list::Sft_d};
constexpr Option_list Flag_lists[] = {Option_list::TXP, Option_list::WN_TX, Option_list::WN_RX};

constexpr int Left_margin_twips = 100;

// Focus that moves to another window or a menu does not leave a field: the
// user comes back to it.
bool leaves_field(const QFocusEvent *event)
{
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

QChar typed_character(const QKeyEvent *event)
{
    return Typed_character(event->key(), event->modifiers(), event->text());
}

bool is_user_input(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

// A text field whose every typed character passes through the window's key
// filter: pasting, dropping and input methods would bring text past it.
void guard_typing(QLineEdit *field, QObject *filter)
{
    field->setContextMenuPolicy(Qt::NoContextMenu);
    field->setAcceptDrops(false);
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    field->installEventFilter(filter);
}

} // namespace

Option_window::Option_window(QWidget *parent, Window_host &window_host)
    : QWidget(parent), host(window_host)
{
    setObjectName(QStringLiteral("frm_option"));
    setWindowTitle(Option_caption("frm_option"));

    build_form();

    for (const auto &[box, setting] :
         {std::pair(Check_Save, Option_switch::Save), std::pair(Check_Scan, Option_switch::Scan)})
        connect(box, &QCheckBox::toggled, this, [this, setting](bool on) {
            const Image_step step(host.history(), Features_step);
            Store_checked(setting, on);
        });
    connect(Text_RX_Freq, &QLineEdit::textEdited, this, &Option_window::rx_edited);
    connect(Text_Offset_Freq, &QLineEdit::textEdited, this, &Option_window::offset_edited);
    guard_typing(Text_RX_Freq, this);
    guard_typing(Text_Offset_Freq, this);

    fill_lists();
    Show_options();
}

void Option_window::fill_lists()
{
    for (const auto &[list, combo] : lists) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems(List_entries(list));
        combo->setCurrentIndex(-1);
    }
}

void Option_window::activated()
{
    Show_options();
}

void Option_window::Show_options()
{
    for (Option_list list : Settings_lists)
        show_list(list);
    {
        const QSignalBlocker save(Check_Save), scan(Check_Scan);
        Check_Save->setChecked(Shown_checked(Option_switch::Save));
        Check_Scan->setChecked(Shown_checked(Option_switch::Scan));
    }
    for (Option_list list : Step_lists)
        show_list(list);
    offset_shown = Shown_offset_text();
    Text_Offset_Freq->setText(*offset_shown);
    show_list(Option_list::Vox);
    Text_TX_Freq->setText(Shown_tx_text());
    Text_RX_Freq->setText(Shown_rx_text());
    show_list(Option_list::Decode);
    Check_DNI->setChecked(Is_inverted_tone(lists[Option_list::Decode]->currentIndex()));
    show_list(Option_list::Encode);
    Check_ENI->setChecked(Is_inverted_tone(lists[Option_list::Encode]->currentIndex()));
    for (Option_list list : Flag_lists)
        show_list(list);
    rx_pending = false;
    offset_pending = false;
}

// Showing runs no change handling: a shown value is stored back only when its
// code had to be lowered to the list's last entry.
void Option_window::show_list(Option_list list)
{
    Lower_stored_code(list);
    QComboBox *combo = lists[list];
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(Shown_index(list));
}

void Option_window::list_changed(Option_list list, int index)
{
    const Image_step step(host.history(), Features_step);
    switch (list) {
    case Option_list::Decode:
        Store_index(list, index);
        Check_DNI->setChecked(Is_inverted_tone(index));
        break;
    case Option_list::Encode:
        Store_index(list, index);
        Show_options();
        break;
    case Option_list::Sft_d:
        // Without an RX frequency nothing is stored, and the list goes back
        // to the stored direction rather than show one the TX does not follow.
        if (Pick_duplex(index, Text_RX_Freq->text(), Text_Offset_Freq->text()))
            Show_options();
        else
            show_list(list);
        break;
    default:
        Store_index(list, index);
        break;
    }
}

int Option_window::duplex() const
{
    return lists.at(Option_list::Sft_d)->currentIndex();
}

bool Option_window::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Check_DNI || watched == Check_ENI)
        return is_user_input(event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return filter_key(watched, static_cast<QKeyEvent *>(event));
    case QEvent::FocusIn:
        if (watched == Text_RX_Freq || watched == Text_Offset_Freq)
            entered = static_cast<QLineEdit *>(watched);
        break;
    case QEvent::FocusOut:
        // A window being closed or rebuilt leaves no field: its flag is
        // cleared before it goes.
        if (!host.open_flag(Window_id::Option) || closing || watched != entered ||
            !leaves_field(static_cast<QFocusEvent *>(event)))
            break;
        entered = nullptr;
        if (watched == Text_RX_Freq)
            leave_rx(true);
        else
            leave_offset(true);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Returns true to discard the key.
bool Option_window::filter_key(QObject *watched, QKeyEvent *event)
{
    if (watched == Text_RX_Freq || watched == Text_Offset_Freq) {
        if (event->matches(QKeySequence::Paste))
            return true;
        const QChar key = typed_character(event);
        if (key.isNull())
            return false;
        const auto *field = static_cast<QLineEdit *>(watched);
        const QString text =
            Text_before_typing(field->text(), field->selectionStart(), field->selectionLength());
        return watched == Text_RX_Freq ? !Rx_key_accepted(text, key)
                                       : !Offset_key_accepted(text, key);
    }
    // The lists change only by picking: letters typed into them would pick
    // the entry they begin, except in the duplex list, which lets them.
    const QChar key = typed_character(event);
    return watched != lists[Option_list::Sft_d] && key.isPrint() && key != QLatin1Char(' ');
}

void Option_window::rx_edited(const QString &text)
{
    rx_pending = true;
    if (Rx_text_changed(text) == Entry::Rejected) {
        Messages::show(Rx_range_message());
        Text_RX_Freq->clear();
        Text_RX_Freq->setFocus(Qt::OtherFocusReason);
    }
}

void Option_window::offset_edited(const QString &text)
{
    const Image_step step(host.history(), Features_step);
    offset_pending = true;
    if (Offset_text_changed(text) == Entry::Rejected) {
        Messages::show(Offset_range_message());
        Text_Offset_Freq->clear();
        offset_shown.reset();
    }
}

void Option_window::leave_rx(bool keep_focus)
{
    const Image_step step(host.history(), Features_step);
    rx_pending = false;
    if (Leave_rx(Text_RX_Freq->text(), duplex(), Text_Offset_Freq->text()) == Entry::Rejected) {
        Messages::show(Rx_range_message());
        Text_RX_Freq->clear();
        if (keep_focus)
            Text_RX_Freq->setFocus(Qt::OtherFocusReason);
        return;
    }
    Show_options();
}

void Option_window::leave_offset(bool keep_focus)
{
    const Image_step step(host.history(), Features_step);
    offset_pending = false;
    if (Leave_offset(Text_Offset_Freq->text(), offset_shown, duplex(), Text_RX_Freq->text()) ==
        Entry::Rejected) {
        Messages::show(Offset_range_message());
        Text_Offset_Freq->clear();
        offset_shown.reset();
        if (keep_focus)
            Text_Offset_Freq->setFocus(Qt::OtherFocusReason);
        return;
    }
    Show_options();
}

void Option_window::commit_pending_edit()
{
    if (rx_pending)
        leave_rx(false);
    if (offset_pending)
        leave_offset(false);
}

void Option_window::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (placed)
        return;
    placed = true;
    // Sized and placed from the main window that holds the document area it
    // lives in, at the top of that area.
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!sub || !sub->mdiArea())
        return;
    const QSize main = sub->mdiArea()->window()->size();
    const int width = int(main.width() / 1.04);
    const int height = int(main.height() / 1.25);
    const int margin = Dialog_placement::Twips_to_pixels(Left_margin_twips, this);
    sub->setGeometry((main.width() - width) / 2 - margin, 0, width, height);
}

void Option_window::closeEvent(QCloseEvent *event)
{
    commit_pending_edit();
    closing = true;
    event->accept();
}

} // namespace r7k
