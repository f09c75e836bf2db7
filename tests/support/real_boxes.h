#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace r7k {
class Message_presenter;
}

// Lets the program's real message boxes come up and run their own event
// loops while the program goes on working under them, and answers each box
// with a mouse click once the test's rule says so. Every box is looked at
// every Look_ms, the innermost first; the rule sees it and how long it has
// been up, counted in looks (Look_ms each, however late a look comes), and
// returns the button to click, or NoButton to leave it up. A box left up
// longer than `longest_ms` so counted is closed with its escape button and
// counted as overdue, so a failing test does not hang.
class Real_boxes final : public QObject {
public:
    using Rule = std::function<QMessageBox::StandardButton(const QMessageBox &box, qint64 up_ms)>;

    static constexpr int Look_ms = 5;

    explicit Real_boxes(Rule answer_rule, int longest_ms = 20'000);
    ~Real_boxes() override;

    // Texts of the boxes that came up, in order.
    QStringList texts;
    // Texts of the boxes that the rule left up too long.
    QStringList overdue;

private:
    struct Shown {
        QPointer<QMessageBox> box;
        qint64 up_ms = 0;
    };
    void look();

    Rule rule;
    int limit_ms;
    QList<Shown> shown;
    QTimer ticks;
    r7k::Message_presenter *previous;
};

// A rule that answers every box with OK once it has been up for `delay_ms`.
Real_boxes::Rule Ok_after(qint64 delay_ms);
