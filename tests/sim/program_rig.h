#pragma once

#include "core/globals.h"
#include "link/port_map.h"
#include "link/transfer_dialog.h"
#include "message_recorder.h"
#include "shell/main_window.h"
#include "sim/sim_process.h"
#include "started_program.h"
#include "test_radios.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

constexpr int Transfer_ms = 30'000; // a transfer over a pty takes a few seconds

// The whole program with a simulated radio of the test's own as COM1: r7k-sim
// on a pseudo-terminal as the radio of the test row, started with the
// further `arguments`, which saves its memory to `saved` after every End or
// Leave.
struct Rig {
    QTemporaryDir dir;
    const QString saved = dir.filePath("radio.chann");
    Message_recorder recorder;
    std::unique_ptr<r7k::Main_window> main = Start_program();
    r7k::sim::Sim_process sim;

    Rig(const QString &test, const QStringList &arguments = {})
    {
        const QString link = QStringLiteral("/tmp/r7k-radio-e2e-%1-").arg(qApp->applicationPid());
        QString error;
        QVERIFY2(sim.start(R7K_SIM_PATH, link + test,
                           Test_radios::arguments() + arguments + QStringList{"--save-to", saved},
                           error),
                 qPrintable(error));
        r7k::Port_map::Set_mapping(1, sim.link());
        r7k::Port_no = 1;
    }
};

template <typename T> T *child(QObject *parent, const char *name)
{
    return parent ? parent->findChild<T *>(QLatin1String(name)) : nullptr;
}

// Chooses the menu command and presses the dialog's action button.
inline r7k::Transfer_dialog *run_dialog(r7k::Main_window &main, const char *command,
                                        r7k::Window_id id, const char *button)
{
    child<QAction>(&main, command)->trigger();
    auto *dialog = qobject_cast<r7k::Transfer_dialog *>(main.host().window(id));
    if (dialog)
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    return dialog;
}
