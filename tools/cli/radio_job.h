#pragma once

#include "cli/radio_port.h"
#include "core/image.h"
#include "link/link_engine.h"
#include "link/qt_serial_line.h"
#include "link/qt_timer_set.h"

#include <QObject>
#include <memory>

namespace r7k::cli {

// One radio that a command reads, writes or writes and verifies: a serial
// line and timers of its own on the program's event loop, and the engine of
// the step it is at. Jobs for several radios run side by side; one failing
// never touches another.
class Radio_job final : public QObject, public Link_listener {
    Q_OBJECT
public:
    enum class Step { Read, Write, Verify };
    enum class State { Running, Done, Failed, Differs };

    // Runs the steps in order on `image`: a read fills it, a write sends it,
    // a verification reads the radio into an image of its own and compares.
    Radio_job(const Radio_port &port, QList<Step> steps, Data_image &target);
    ~Radio_job() override;

    void start();

    const Radio_port &port() const { return radio; }
    State state() const { return now; }
    Step step() const { return current; }
    int progress() const { return percent; }
    // Why the job failed, in one line.
    const QString &failure() const { return cause; }
    // The written blocks the radio holds otherwise, after a verification.
    const QList<int> &differing_blocks() const { return differing; }

    // Link_listener
    void show_progress(int value) override;
    void show_status(const Bilingual &) override {}
    void show_message(const Bilingual &text, const Bilingual &title,
                      const QString &details) override;
    void finished() override;
    void failed() override;
    void radio_failed(const Link_failure &last) override;

Q_SIGNALS:
    // The progress or the state changed.
    void changed();

private:
    void begin_step();
    void step_done();
    void end(State outcome);

    Radio_port radio;
    QList<Step> remaining;
    Step current;
    Data_image &image;
    Qt_serial_line line;
    Qt_timer_set timers;
    std::unique_ptr<Transfer_engine> engine;
    State now = State::Running;
    int percent = 0;
    QString last_message;
    QString cause;
    QList<int> differing;
};

// "reading", "writing", "verifying".
QString Step_name(Radio_job::Step step);

} // namespace r7k::cli
