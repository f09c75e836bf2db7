#pragma once

#include <QDialog>

namespace r7k {

// frmAbout: product title, version and copyright, and a way to the
// operating system's own system information tool.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

private:
    void start_system_info();
};

} // namespace r7k
