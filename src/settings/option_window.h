#pragma once

#include "settings/option_rules.h"
#include "ui/window_host.h"

#include <QPointer>
#include <QWidget>
#include <map>
#include <optional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

namespace r7k {

// frm_option: the radio-wide settings and the frequency-mode record. There is
// no OK or Cancel: every change is stored in the image at once, and the
// window shows the image again whenever it becomes active.
class Option_window : public QWidget, public Image_view {
    Q_OBJECT
public:
    Option_window(QWidget *parent, Window_host &window_host);

    void activated() override;
    // Checks and stores an RX frequency or offset the user has typed but not
    // yet left, as leaving the field would.
    void commit_pending_edit() override;

    // Sets every control from the image.
    void Show_options();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build_form();
    QComboBox *add_list(QGridLayout *grid, Option_list list, const char *name);
    QLineEdit *add_text(QGridLayout *grid, const char *name);
    void fill_lists();
    void show_list(Option_list list);
    void list_changed(Option_list list, int index);

    bool filter_key(QObject *watched, QKeyEvent *event);
    void rx_edited(const QString &text);
    void offset_edited(const QString &text);
    void leave_rx(bool keep_focus);
    void leave_offset(bool keep_focus);
    int duplex() const;

    std::map<Option_list, QComboBox *> lists;
    QCheckBox *Check_Save = nullptr;
    QCheckBox *Check_Scan = nullptr;
    QCheckBox *Check_DNI = nullptr;
    QCheckBox *Check_ENI = nullptr;
    QLineEdit *Text_RX_Freq = nullptr;
    QLineEdit *Text_TX_Freq = nullptr;
    QLineEdit *Text_Offset_Freq = nullptr;

    // The frequency field that last received the focus: only leaving it runs
    // its checks (a field that the focus merely passes through while being
    // sent back to a rejected one is not checked).
    QPointer<QLineEdit> entered;
    // The offset text that Show_options last put into the field: leaving the
    // field with that text stores nothing. None once the field was emptied
    // for a rejected offset.
    std::optional<QString> offset_shown;
    bool rx_pending = false;     // RX typed since it was last shown or checked
    bool offset_pending = false; // the same for the offset
    Window_host &host;
    bool closing = false;
    bool placed = false;
};

} // namespace r7k
