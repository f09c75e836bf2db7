#pragma once

// What the tests of r7k as a user runs it share: r7k as a process, the
// simulated radios it talks to, a terminal for its output, the channel files
// it is given.
#include "channels/channel_name.h"
#include "core/image.h"
#include "files/channel_file.h"
#include "sim/sim_process.h"

#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <memory>
#include <pty.h>
#include <unistd.h>
#include <vector>

// How a run of r7k ended and what it printed.
struct Ran {
    int status = -1;
    QString out, err;

    QString shown() const
    {
        return QStringLiteral("status %1\n--- stdout\n%2--- stderr\n%3").arg(status).arg(out, err);
    }
};

// Waits for a started run to end, the event loop running meanwhile.
inline Ran Finished(QProcess &process)
{
    Ran ran;
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 90'000)) {
        ran.err = QStringLiteral("did not finish"); // the QProcess ends it
        return ran;
    }
    ran.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ran.out = QString::fromUtf8(process.readAllStandardOutput());
    ran.err = QString::fromUtf8(process.readAllStandardError());
    return ran;
}

// r7k with `arguments` in `folder`; with `lang`, in the language LANG names.
inline Ran Run_r7k(const QStringList &arguments, const QString &folder = {},
                   const QString &lang = {})
{
    QProcess process;
    if (!lang.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), lang);
        process.setProcessEnvironment(environment);
    }
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(R7K_PATH), arguments);
    return Finished(process);
}

// A pseudo-terminal: a program given `path` writes to a terminal. What
// reaches it is kept in `screen` whenever the event loop runs, so that a
// full terminal never holds the program up.
struct Pty {
    int master = -1, slave = -1;
    QString path;
    QByteArray screen;
    std::unique_ptr<QSocketNotifier> readable;

    Pty()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        path = QString::fromLocal8Bit(name);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        readable = std::make_unique<QSocketNotifier>(master, QSocketNotifier::Read);
        QObject::connect(readable.get(), &QSocketNotifier::activated, [this] { received(); });
    }
    ~Pty()
    {
        readable.reset();
        ::close(master);
        ::close(slave);
    }
    const QByteArray &received()
    {
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            screen.append(buffer, int(n));
        return screen;
    }
};

// Simulated radios of a test, each r7k-sim on a link of its own.
struct Radios {
    QTemporaryDir dir;
    std::vector<std::unique_ptr<r7k::sim::Sim_process>> sims;

    // Starts one with the r7k-sim `options`; it saves its memory to
    // NAME-memory.chann in `dir` after every write.
    QString start(const QString &name, const QStringList &options = {})
    {
        const QString link =
            QStringLiteral("/tmp/r7k-cli-%1-%2").arg(QCoreApplication::applicationPid()).arg(name);
        sims.push_back(std::make_unique<r7k::sim::Sim_process>());
        QString error;
        if (!sims.back()->start(
                QStringLiteral(R7K_SIM_PATH), link,
                options + QStringList{"--save-to", dir.filePath(name + "-memory.chann")}, error))
            qWarning("%s", qPrintable(error));
        return link;
    }
};

// A channel file's image; one that does not load leaves it all zeros, which
// no comparison passes.
inline r7k::Data_image Loaded(const QString &path)
{
    r7k::Data_image image;
    r7k::Channel_file::Load(path, image);
    return image;
}

inline QString Saved(const QString &path, const r7k::Data_image &image)
{
    if (!r7k::Channel_file::Save(path, image).ok)
        qWarning("%s cannot be saved", qPrintable(path));
    return path;
}

// The factory channels with names, also on channels 100 and 120, whose name
// rows lie beyond the first 254 blocks.
inline r7k::Data_image Named_channels()
{
    r7k::Reset_image();
    r7k::Load_default_image();
    const std::pair<int, const char *> names[] = {
        {1, "BASE"}, {3, "车队 A"}, {100, "PARK"}, {120, "GATE"}};
    for (const auto &[channel, name] : names)
        r7k::Store_channel_name(channel, QString::fromUtf8(name));
    return r7k::chann;
}
