#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace r7k {

// Form_type: picks the radio model, which sets the band limits that every
// frequency entry is checked against and the band shown in the status bar.
class Form_type : public QDialog {
    Q_OBJECT
public:
    explicit Form_type(QWidget *parent = nullptr);

Q_SIGNALS:
    // Another model was confirmed: the band in the status bar changes.
    void model_chosen();

private:
    void confirm();
    void discard_typing();

    QComboBox *models;
    QLabel *band;
};

} // namespace r7k
