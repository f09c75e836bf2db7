#include "real_boxes.h"

#include "ui/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <utility>

Real_boxes::Real_boxes(Rule answer_rule, int longest_ms)
    : rule(std::move(answer_rule)), limit_ms(longest_ms),
      previous(r7k::Messages::set_presenter(nullptr))
{
    ticks.setInterval(Look_ms);
    connect(&ticks, &QTimer::timeout, this, &Real_boxes::look);
    ticks.start();
}

Real_boxes::~Real_boxes()
{
    r7k::Messages::set_presenter(previous);
}

void Real_boxes::look()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(window);
        const bool known = std::any_of(shown.cbegin(), shown.cend(),
                                       [box](const Shown &s) { return s.box == box; });
        if (box && box->isVisible() && !known) {
            texts.append(box->text());
            shown.append(Shown{box});
        }
    }
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        QMessageBox *box = it->box;
        if (!box || !box->isVisible())
            continue;
        const qint64 up_ms = std::exchange(it->up_ms, it->up_ms + Look_ms);
        QMessageBox::StandardButton answer = rule(*box, up_ms);
        if (answer == QMessageBox::NoButton && up_ms > limit_ms) {
            overdue.append(box->text());
            answer = box->standardButton(box->escapeButton());
        }
        if (answer != QMessageBox::NoButton) {
            QTest::mouseClick(box->button(answer), Qt::LeftButton);
            return;
        }
        return; // only the innermost box can return
    }
}

Real_boxes::Rule Ok_after(qint64 delay_ms)
{
    return [delay_ms](const QMessageBox &, qint64 up_ms) {
        return up_ms >= delay_ms ? QMessageBox::Ok : QMessageBox::NoButton;
    };
}
