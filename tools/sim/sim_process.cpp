#include "sim/sim_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace r7k::sim {

namespace {

const QByteArray Ready_line = QByteArrayLiteral("r7k-sim: ready on ");
constexpr int Stop_wait_ms = 3000;

} // namespace

Sim_process::Sim_process()
{
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
#ifdef Q_OS_LINUX
    // Should this program die without cleaning up, the simulator goes too
    // and removes its link.
    child.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
}

Sim_process::~Sim_process()
{
    stop();
}

bool Sim_process::start(const QString &program, const QString &link, const QStringList &arguments,
                        QString &error, int timeout_ms)
{
    child.start(program, QStringList{QStringLiteral("--link"), link} + arguments);
    if (!child.waitForStarted(timeout_ms)) {
        error = QStringLiteral("%1 did not start: %2").arg(program, child.errorString());
        return false;
    }
    const QDeadlineTimer deadline(timeout_ms);
    while (!child.canReadLine()) {
        if (child.state() != QProcess::Running || deadline.hasExpired() ||
            !child.waitForReadyRead(int(deadline.remainingTime()))) {
            error =
                child.state() == QProcess::Running
                    ? QStringLiteral("%1 did not become ready").arg(program)
                    : QStringLiteral("%1 ended with code %2").arg(program).arg(child.exitCode());
            kill();
            return false;
        }
    }
    const QByteArray line = child.readLine().trimmed();
    if (!line.startsWith(Ready_line)) {
        error = QStringLiteral("%1 said \"%2\"").arg(program, QString::fromLocal8Bit(line));
        kill();
        return false;
    }
    served_link = link;
    return true;
}

void Sim_process::stop()
{
    if (child.state() == QProcess::NotRunning)
        return;
    child.terminate();
    if (!child.waitForFinished(Stop_wait_ms))
        kill();
}

void Sim_process::kill()
{
    if (child.state() == QProcess::NotRunning)
        return;
    child.kill();
    child.waitForFinished(Stop_wait_ms);
}

QString Sim_process::Find_program()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/r7k-sim");
    return QFileInfo(beside).isExecutable() ? beside : QString();
}

} // namespace r7k::sim
