// Transfer benchmark: a whole read or write of the program's link engine,
// over its real QSerialPort line and Qt timers, against r7k-sim pacing its
// bytes like a 9600-baud wire.
//
//   bench_transfer read [runs]    prints each run's time beside the wire model
//   bench_transfer write [runs]   and ends with the line "ratio: R" (median
//                                 measured time / model time)
//   bench_transfer fleet N [runs] r7k's write to one radio, then its fleet
//                                 write to N radios at once; ends with
//                                 "ratio: R" (median N radios / one radio)

#include "cli/job_runner.h"
#include "cli/radio_job.h"
#include "core/globals.h"
#include "core/image.h"
#include "link/link_parts.h"
#include "link/port_map.h"
#include "link/read_engine.h"
#include "link/write_engine.h"
#include "sim/sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace r7k;

namespace {

constexpr double Bytes_per_second = 960; // 9600 baud, 10 bits a byte
constexpr int Give_up_ms = 60'000;

// Bytes on the wire, both ways, of the handshake: Connect and its ACK,
// Identify and the identifier, Start and its two-byte reply.
constexpr int Handshake_bytes = (12 + 1) + (5 + 6) + (5 + 2);
constexpr int Handshake_commands = 3;

struct Transfer {
    const char *name;
    int blocks;
    int bytes_per_block; // command and reply
    bool reads;
};
constexpr Transfer Read{"read", 259, 8 + 20, true};
constexpr Transfer Write{"write", 258, 24 + 1, false};

double model_seconds(const Transfer &transfer)
{
    const double send_delay = Link_engine::Send_delay_ms / 1000.0;
    return transfer.blocks * (send_delay + transfer.bytes_per_block / Bytes_per_second) +
           Handshake_commands * send_delay + Handshake_bytes / Bytes_per_second;
}

// Ends the event loop when the transfer is complete, or when it fails.
class Stopwatch_listener final : public Link_listener {
public:
    Link_engine *engine = nullptr;
    bool complete = false;
    QString failure;

    void show_progress(int value) override
    {
        if (value == 100)
            stop(true);
    }
    void show_status(const Bilingual &) override
    {
        if (engine->link_done)
            stop(true);
    }
    void show_message(const Bilingual &text, const Bilingual &, const QString &) override
    {
        if (!complete) {
            failure = text.english;
            stop(false);
        }
    }
    void finished() override {}

private:
    void stop(bool done)
    {
        complete = done;
        QCoreApplication::exit();
    }
};

// One transfer; its time in seconds, or a negative number when it failed.
double run(const Transfer &transfer)
{
    Reset_image();
    Load_default_image();
    Link_parts parts = System_link_parts();
    Stopwatch_listener listener;
    std::unique_ptr<Transfer_engine> engine;
    if (transfer.reads)
        engine = std::make_unique<Read_engine>(*parts.line, *parts.timers, listener, chann);
    else
        engine = std::make_unique<Write_engine>(*parts.line, *parts.timers, listener, chann);
    listener.engine = engine.get();
    engine->opened();

    QTimer::singleShot(Give_up_ms, [] { QCoreApplication::exit(); });
    QElapsedTimer clock;
    clock.start();
    engine->start();
    QCoreApplication::exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    engine->shut_down();
    if (!listener.complete) {
        std::fprintf(stderr, "bench_transfer: the %s did not complete: %s\n", transfer.name,
                     listener.failure.isEmpty() ? "time limit" : qPrintable(listener.failure));
        return -1;
    }
    return seconds;
}

// Paced simulated radios, each on a link of its own.
struct Paced_radios {
    std::vector<std::unique_ptr<sim::Sim_process>> sims;

    bool start(int count)
    {
        for (int k = 0; k < count; ++k) {
            sims.push_back(std::make_unique<sim::Sim_process>());
            const QString link = QStringLiteral("/tmp/r7k-radio-bench-%1-%2")
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(k);
            QString error;
            if (!sims.back()->start(QStringLiteral(R7K_SIM_PATH), link, {QStringLiteral("--pace")},
                                    error)) {
                std::fprintf(stderr, "bench_transfer: %s\n", qPrintable(error));
                return false;
            }
        }
        return true;
    }
    QString link(int k) const { return sims[std::size_t(k)]->link(); }
};

// r7k's write to the first `count` radios at once; its time in seconds, or a
// negative number when a radio failed.
double fleet_write(const Paced_radios &radios, int count, Data_image &image)
{
    std::vector<std::unique_ptr<cli::Radio_job>> owned;
    QList<cli::Radio_job *> jobs;
    for (int k = 0; k < count; ++k) {
        owned.push_back(std::make_unique<cli::Radio_job>(
            cli::Radio_port{radios.link(k), radios.link(k)},
            QList<cli::Radio_job::Step>{cli::Radio_job::Step::Write}, image));
        jobs.append(owned.back().get());
    }
    QElapsedTimer clock;
    clock.start();
    cli::Run_jobs(jobs, nullptr);
    const double seconds = clock.nsecsElapsed() / 1e9;
    for (const cli::Radio_job *job : jobs) {
        if (job->state() != cli::Radio_job::State::Done) {
            std::fprintf(stderr, "bench_transfer: %s: %s\n", qPrintable(job->port().name),
                         qPrintable(job->failure()));
            return -1;
        }
    }
    return seconds;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int fleet(int count, int runs)
{
    Paced_radios radios;
    if (!radios.start(count))
        return 1;
    Reset_image();
    Load_default_image();
    Data_image image = chann;
    QList<double> ratios;
    for (int i = 0; i < runs; ++i) {
        const double one = fleet_write(radios, 1, image);
        const double all = one < 0 ? -1 : fleet_write(radios, count, image);
        if (all < 0)
            return 1;
        ratios.append(all / one);
        std::printf("fleet: one radio %.3f s, %d radios at once %.3f s\n", one, count, all);
        std::fflush(stdout);
    }
    std::printf("ratio: %.3f\n", median(ratios));
    return 0;
}

int usage()
{
    std::fputs("Usage: bench_transfer read|write [runs]\n"
               "       bench_transfer fleet N [runs]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty() && arguments[0] == QLatin1String("fleet")) {
        const int count = arguments.value(1).toInt();
        const int fleet_runs = arguments.size() > 2 ? arguments[2].toInt() : 1;
        if (count < 1 || fleet_runs < 1 || arguments.size() > 3)
            return usage();
        return fleet(count, fleet_runs);
    }
    const bool reading = !arguments.isEmpty() && arguments[0] == QLatin1String("read");
    const bool writing = !arguments.isEmpty() && arguments[0] == QLatin1String("write");
    const int runs = arguments.size() > 1 ? arguments[1].toInt() : 1;
    if ((!reading && !writing) || runs < 1 || arguments.size() > 2)
        return usage();
    const Transfer &transfer = reading ? Read : Write;

    Paced_radios radio;
    if (!radio.start(1))
        return 1;
    Port_map::Set_mapping(1, radio.link(0));
    Port_no = 1;

    const double model = model_seconds(transfer);
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        const double seconds = run(transfer);
        if (seconds < 0)
            return 1;
        times.append(seconds);
        std::printf("%s: measured %.3f s, wire model %.3f s (%d x (%d ms + %d bytes / %.0f B/s) "
                    "+ handshake)\n",
                    transfer.name, seconds, model, transfer.blocks, Link_engine::Send_delay_ms,
                    transfer.bytes_per_block, Bytes_per_second);
        std::fflush(stdout);
    }
    std::printf("ratio: %.3f\n", median(times) / model);
    return 0;
}
