#pragma once

#include <QDialog>
class QButtonGroup;

namespace r7k {

// Form_setup: chooses the serial port (COM1..COM8) that the link dialogs
// open; beside each choice stands the device of this computer it means.
class Form_setup : public QDialog {
    Q_OBJECT
public:
    explicit Form_setup(QWidget *parent = nullptr);

Q_SIGNALS:
    // A port was confirmed, whether or not it opens: the status bar shows it.
    void port_chosen();

private:
    void confirm();

    QButtonGroup *ports;
};

} // namespace r7k
