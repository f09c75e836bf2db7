// r7k write: a channel file to one radio, or to several at the same time,
// optionally read back and compared.

#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/job_runner.h"
#include "cli/progress_display.h"
#include "cli/radio_job.h"
#include "cli/report.h"
#include "cli/verb_line.h"
#include "cli/verbs.h"
#include "core/conversions.h"
#include "link/verification.h"

#include <memory>
#include <vector>

namespace r7k::cli {

namespace {

const QString Help = QStringLiteral(
    "Usage: r7k write --port DEV [--port DEV ...] [--verify] FILE\n"
    "Writes the channel file FILE to the radio on DEV. Given several --port, all the\n"
    "radios are written at the same time (a fleet write); one radio failing never\n"
    "disturbs another, and a summary lists every port with its result.\n"
    "\n"
    "  --port DEV   a radio's serial device, or COM1..COM8; repeat it for more radios\n"
    "  --verify     read each radio back afterwards and compare every written block,\n"
    "               naming each block that differs and what it holds\n"
    "  -h, --help   show this text\n"
    "\n"
    "Progress shows as bars on a terminal and as plain lines otherwise.\n"
    "Exit status: 0 every radio written (and verified), 2 bad command line,\n"
    "3 the file cannot be read or holds a bad value, 4 a radio failed,\n"
    "5 a radio holds other data than was written (with --verify).\n");

// "block 5 (channel 5)".
QString block_words(int block)
{
    return QStringLiteral("block %1 (%2)")
        .arg(block)
        .arg(Verification::Block_meaning(block).english);
}

QStringList blocks_words(const QList<int> &blocks)
{
    QStringList words;
    for (int block : blocks)
        words.append(block_words(block));
    return words;
}

void print_result(const Radio_job &job)
{
    Say(job.port().name + QStringLiteral(": ") + State_text(job));
    for (int block : job.differing_blocks())
        Say(QStringLiteral("  ") + block_words(block));
}

// One radio: its outcome on stderr as well.
int single_outcome(const Radio_job &job)
{
    const QString name = job.port().name + QStringLiteral(": ");
    switch (job.state()) {
    case Radio_job::State::Failed:
        return Fail(Exit_link, name + job.failure());
    case Radio_job::State::Differs:
        return Fail(Exit_verify,
                    name + QStringLiteral("the radio holds other data than written in ") +
                        blocks_words(job.differing_blocks()).join(QStringLiteral(", ")));
    default:
        return Exit_ok;
    }
}

// Several radios: the ports that did not come through, by kind.
int fleet_outcome(const QList<Radio_job *> &jobs)
{
    QStringList failed, differ;
    for (const Radio_job *job : jobs) {
        if (job->state() == Radio_job::State::Failed)
            failed.append(job->port().name);
        if (job->state() == Radio_job::State::Differs)
            differ.append(job->port().name);
    }
    const QString of = QStringLiteral(" of %1 radios ").arg(jobs.size());
    if (!failed.isEmpty())
        return Fail(Exit_link, QString::number(failed.size()) + of + QStringLiteral("failed: ") +
                                   failed.join(QStringLiteral(", ")));
    if (!differ.isEmpty())
        return Fail(Exit_verify, QString::number(differ.size()) + of +
                                     QStringLiteral("hold other data than written: ") +
                                     differ.join(QStringLiteral(", ")));
    return Exit_ok;
}

} // namespace

int Run_write(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("write"), Help, QStringLiteral("The FILE to write is missing."));
    const QCommandLineOption port_option(QStringLiteral("port"), QString(), QStringLiteral("DEV"));
    const QCommandLineOption verify_option(QStringLiteral("verify"));
    line.parser.addOptions({port_option, verify_option});
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    if (!line.parser.isSet(port_option))
        return line.usage_error(QStringLiteral("--port is missing."));
    int status = Exit_ok;
    QString error;
    const QList<Radio_port> ports = Radio_ports(line.parser.values(port_option), status, error);
    if (ports.isEmpty())
        return status == Exit_usage ? line.usage_error(error) : Fail(Exit_link, error);

    const QString path = line.parser.positionalArguments().first();
    Data_image image;
    if (const std::optional<QString> problem = Load_image(path, image))
        return Fail(Exit_file, *problem);
    if (Find_first_used_channel(image) == 255)
        return Fail(Exit_file, path + QStringLiteral(": no channel has a frequency; there is "
                                                     "nothing a radio could use."));

    QList<Radio_job::Step> steps{Radio_job::Step::Write};
    if (line.parser.isSet(verify_option))
        steps.append(Radio_job::Step::Verify);
    // Every radio gets the same image; each engine only reads it (and puts
    // the same model identifier into row 139).
    std::vector<std::unique_ptr<Radio_job>> owned;
    QList<Radio_job *> jobs;
    for (const Radio_port &port : ports) {
        owned.push_back(std::make_unique<Radio_job>(port, steps, image));
        jobs.append(owned.back().get());
    }
    Progress_display display = Progress_display::On_stdout();
    Run_jobs(jobs, &display);

    if (jobs.size() == 1) {
        print_result(*jobs.first());
        return single_outcome(*jobs.first());
    }
    Say(QStringLiteral("Summary:"));
    for (const Radio_job *job : jobs)
        print_result(*job);
    return fleet_outcome(jobs);
}

} // namespace r7k::cli
