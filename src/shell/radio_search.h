#pragma once

#include <QWidget>
#include <memory>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace r7k {

class Radio_finder;
struct Port_finding;

// The port dialog's "Find radio": on the user's click it asks each USB
// serial adapter (and each port named on the command line), one at a time,
// whether an R7K radio answers, and lists what each port said. A port where
// a radio answered is chosen with one click on its line.
class Radio_search : public QWidget {
    Q_OBJECT
public:
    explicit Radio_search(QWidget *parent = nullptr);
    ~Radio_search() override;

Q_SIGNALS:
    void port_picked(int port_no);

private:
    void search();
    void found(const Port_finding &finding);
    void searched();
    void add_line(const QString &text, int port_no = 0);

    QPushButton *button;
    QListWidget *list;
    std::unique_ptr<Radio_finder> finder;
    int radios = 0;
};

} // namespace r7k
