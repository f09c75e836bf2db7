#pragma once

#include "shell/main_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
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

// Every cell of the window's grid or list `name`, row by row; none without the window.
inline QStringList grid_texts(const QWidget *window, const char *name = "MSF_chann")
{
    QStringList texts;
    const auto *grid =
        window ? window->findChild<QAbstractItemView *>(QLatin1String(name)) : nullptr;
    for (int row = 0; grid && row < grid->model()->rowCount(); ++row)
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            texts.append(grid->model()->index(row, column).data().toString());
    return texts;
}

// Chooses the command, steps down the file types to the given one, puts
// the file's path into the name box of its file dialog (as pasted: typing
// would open the name completion's list) and presses Enter; the dialog
// closes when it took the file.
inline void choose_file(r7k::Main_window &program, const char *command, const QString &path,
                        int file_type = 0)
{
    trigger(program, command);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QFileDialog *> dialogs = program.findChildren<QFileDialog *>();
    QCOMPARE(dialogs.size(), 1);
    QPointer dialog = dialogs[0];
    QVERIFY(dialog->isVisible());
    auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
    QVERIFY(types);
    types->setFocus();
    for (int step = 0; step < file_type; ++step)
        QTest::keyClick(types, Qt::Key_Down);
    auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
    QVERIFY(name);
    name->setFocus();
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_VERIFY(!dialog || !dialog->isVisible());
}

} // namespace Dialog_driver
