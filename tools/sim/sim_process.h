#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace r7k::sim {

// r7k-sim run as a child process, serving on a link of its own; it is stopped
// when this object goes. The program's --demo and the end-to-end tests start
// the simulated radio this way.
class Sim_process {
public:
    Sim_process();
    ~Sim_process();
    Sim_process(const Sim_process &) = delete;
    Sim_process &operator=(const Sim_process &) = delete;

    // Starts `program` serving on `link` with the further `arguments` and
    // waits until it says it is ready; false with a reason when it is not
    // ready within timeout_ms.
    bool start(const QString &program, const QString &link, const QStringList &arguments,
               QString &error, int timeout_ms = 5000);

    // Asks the simulator to end (it saves its memory when told to) and waits.
    void stop();
    // Ends it at once, as if it crashed.
    void kill();

    QString link() const { return served_link; }
    QProcess &process() { return child; }

    // r7k-sim beside the running program (installed, or in the build tree's
    // bin folder); empty when there is none.
    static QString Find_program();

private:
    QProcess child;
    QString served_link;
};

} // namespace r7k::sim
