#pragma once

#include "cli/radio_port.h"
#include "core/image.h"
#include "link/link_engine.h"
#include "link/qt_serial_line.h"
#include "link/qt_timer_set.h"

#include <QObject>
#include <functional>
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
    enum class State { Running, Done, Failed, Differs, Interrupted };

    // Runs the steps in order on `image`: a read fills it, a write sends it,
    // a verification reads the radio into an image of its own and compares.
    Radio_job(const Radio_port &port, QList<Step> steps, Data_image &target);
    ~Radio_job() override;

    void start();
    // A stop signal: the step ends at once, as a window that closes does (a
    // write tells the radio it is over), and the port is closed.
    void interrupt();

    const Radio_port &port() const { return radio; }
    State state() const { return now; }
    Step step() const { return current; }
    // The job writes the radio before anything else.
    bool writes() const { return writing; }
    int progress() const { return percent; }
    // The step's port is open: its progress means something.
    bool port_open() const { return opened; }
    // Why the job failed, in one line.
    const QString &failure() const { return cause; }
    // The written blocks the radio holds otherwise, after a verification.
    const QList<int> &differing_blocks() const { return differing; }

    // Called with the image when a read has filled it or a write is about
    // to send it to an identified radio.
    std::function<void(const Data_image &, Step)> keep_backup;

    // Link_listener
    void show_progress(int value) override;
    void show_status(const Bilingual &) override;
    void back_up_image(const Data_image &image) override;
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
    const bool writing;
    QList<Step> remaining;
    Step current;
    Data_image &image;
    Qt_serial_line line;
    Qt_timer_set timers;
    std::unique_ptr<Transfer_engine> engine;
    State now = State::Running;
    int percent = 0;
    bool opened = false;
    QString last_message;
    bool placed = false; // the message says where the radio stopped
    QString cause;
    QList<int> differing;
};

// "reading", "writing", "verifying": what a running job does.
Bilingual Step_name(Radio_job::Step step);

} // namespace r7k::cli
