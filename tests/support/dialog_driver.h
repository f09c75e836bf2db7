#pragma once

#include "shell/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTest>

// Drives the program's windows the way a user does: by menu commands and
// clicks on named controls.
namespace Dialog_driver {

inline void trigger(r7k::Main_window &program, const char *command)
{
    auto *action = program.findChild<QAction *>(QLatin1String(command));
    QVERIFY2(action, command);
    action->trigger();
}

template <class Control = QWidget> Control *control(const QWidget *window, const char *name)
{
    auto *found = window ? window->findChild<Control *>(QLatin1String(name)) : nullptr;
    if (!found)
        qWarning("no control %s", name);
    return found;
}

inline void click(const QWidget *window, const char *button)
{
    auto *target = control<QAbstractButton>(window, button);
    QVERIFY2(target, button);
    QTest::mouseClick(target, Qt::LeftButton);
}

// The caption of a label or button.
inline QString text_of(const QWidget *window, const char *name)
{
    if (auto *label = window->findChild<QLabel *>(QLatin1String(name)))
        return label->text();
    if (auto *button = window->findChild<QAbstractButton *>(QLatin1String(name)))
        return button->text();
    qWarning("no label or button %s", name);
    return {};
}

} // namespace Dialog_driver
