// r7k write: a channel file to one radio, or to several at the same time,
// optionally read back and compared; r7k verify: the read-back alone.

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
#include <utility>
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
    "  --no-backup  keep no backup of the file in the backups folder\n"
    "  -h, --help   show this text\n"
    "\n"
    "Progress shows as bars on a terminal and as plain lines otherwise. Ctrl-C\n"
    "stops every radio and tells it the write is over; such a radio holds a partly\n"
    "written memory and must be written again.\n"
    "Exit status: 0 every radio written (and verified), 2 bad command line,\n"
    "3 the file cannot be read or holds a bad value, 4 a radio failed,\n"
    "5 a radio holds other data than was written (with --verify), 6 written but\n"
    "the read-back could not be done (with --verify), 130 interrupted.\n");

const QString Verify_help = QStringLiteral(
    "Usage: r7k verify --port DEV [--port DEV ...] FILE\n"
    "Reads the radio on DEV back and compares every block a write sends with the\n"
    "channel file FILE, naming each block that differs and what it holds.\n"
    "\n"
    "  --port DEV   a radio's serial device, or COM1..COM8; repeat it for more radios\n"
    "  -h, --help   show this text\n"
    "\n"
    "Exit status: 0 the radio holds the file, 2 bad command line, 3 the file cannot\n"
    "be read or holds a bad value, 4 the radio cannot be read, 5 the radio holds\n"
    "other data, 130 interrupted.\n");

// "block 5 (channel 5)".
QString block_words(int block)
{
    return In_language({QStringLiteral("第 %1 块（%2）"), QStringLiteral("block %1 (%2)")})
        .arg(block)
        .arg(In_language(Verification::Block_meaning(block)));
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

// What a job's end means to a script.
int status_of(const Radio_job &job)
{
    switch (job.state()) {
    case Radio_job::State::Failed:
        return job.step() == Radio_job::Step::Verify && job.writes() ? Exit_unverified : Exit_link;
    case Radio_job::State::Differs:
        return Exit_verify;
    case Radio_job::State::Interrupted:
        return Exit_interrupted;
    default:
        return Exit_ok;
    }
}

// How a radio did not come through, from what a script must hear about
// least to what it must hear about first.
struct Miss {
    Exit_status status;
    Bilingual word;
};
const Miss Misses[] = {
    {Exit_unverified, {QStringLiteral("未校验"), QStringLiteral("not verified")}},
    {Exit_verify, {QStringLiteral("数据不同"), QStringLiteral("other data")}},
    {Exit_link, {QStringLiteral("失败"), QStringLiteral("failed")}},
    {Exit_interrupted, {QStringLiteral("被中断"), QStringLiteral("interrupted")}},
};

const Miss *miss_of(int status)
{
    for (const Miss &miss : Misses)
        if (miss.status == status)
            return &miss;
    return nullptr;
}

// One radio: its outcome on stderr as well.
int single_outcome(const Radio_job &job)
{
    const int status = status_of(job);
    const QString name = job.port().name + QStringLiteral(": ");
    if (status == Exit_verify)
        return Fail(Exit_verify,
                    name +
                        In_language({QStringLiteral("对讲机存有与写入不同的数据："),
                                     QStringLiteral("the radio holds other data than written "
                                                    "in ")}) +
                        blocks_words(job.differing_blocks()).join(QStringLiteral(", ")));
    if (status == Exit_link)
        return Fail(Exit_link, name + job.failure());
    if (status != Exit_ok)
        return Fail(Exit_status(status), name + State_text(job));
    return Exit_ok;
}

// Several radios: every port that did not come through, with how.
int fleet_outcome(const QList<Radio_job *> &jobs)
{
    QStringList missed;
    const Miss *worst = nullptr;
    for (const Radio_job *job : jobs) {
        const Miss *miss = miss_of(status_of(*job));
        if (!miss)
            continue;
        if (!worst || miss > worst)
            worst = miss;
        missed.append(QStringLiteral("%1 (%2)").arg(job->port().name, In_language(miss->word)));
    }
    if (!worst)
        return Exit_ok;
    return Fail(worst->status, In_language({QStringLiteral("%2 台对讲机中有 %1 台未完成：%3"),
                                            QStringLiteral("%1 of %2 radios did not come "
                                                           "through: %3")})
                                   .arg(missed.size())
                                   .arg(jobs.size())
                                   .arg(missed.join(QStringLiteral(", "))));
}

// Runs the steps on every port with the file's image and reports.
int run_on_radios(const QList<Radio_port> &ports, const QList<Radio_job::Step> &steps,
                  Data_image &image, bool back_up)
{
    // Every radio gets the same image; each engine only reads it (and puts
    // the same model identifier into row 139). It is backed up once, when
    // the first radio is about to be written.
    bool backed_up = !back_up;
    std::vector<std::unique_ptr<Radio_job>> owned;
    QList<Radio_job *> jobs;
    for (const Radio_port &port : ports) {
        owned.push_back(std::make_unique<Radio_job>(port, steps, image));
        owned.back()->keep_backup = [&backed_up](const Data_image &sent, Radio_job::Step step) {
            if (step == Radio_job::Step::Write && !std::exchange(backed_up, true))
                Keep_backup(sent, Backups::Kind::Before_write);
        };
        jobs.append(owned.back().get());
    }
    Progress_display display = Progress_display::On_stdout();
    Run_jobs(jobs, &display);

    if (jobs.size() == 1) {
        if (jobs.first()->state() != Radio_job::State::Interrupted)
            print_result(*jobs.first());
        return single_outcome(*jobs.first());
    }
    Say(In_language({QStringLiteral("汇总："), QStringLiteral("Summary:")}));
    for (const Radio_job *job : jobs)
        print_result(*job);
    return fleet_outcome(jobs);
}

// The ports and the file of a write or a verification; a status when the
// command line or the file does not do.
std::optional<int> take_radios_and_file(Verb_line &line, const QCommandLineOption &port_option,
                                        QList<Radio_port> &ports, Data_image &image)
{
    if (!line.parser.isSet(port_option))
        return line.usage_error(Missing_port);
    int status = Exit_ok;
    QString error;
    ports = Radio_ports(line.parser.values(port_option), status, error);
    if (ports.isEmpty())
        return status == Exit_usage ? line.usage_error(error) : Fail(Exit_link, error);

    const QString path = line.parser.positionalArguments().first();
    if (const std::optional<QString> problem = Load_image(path, image))
        return Fail(Exit_file, *problem);
    if (Find_first_used_channel(image) == 255)
        return Fail(Exit_file,
                    path +
                        In_language({QStringLiteral("：没有信道设有频率，对讲机无可使用的数据。"),
                                     QStringLiteral(": no channel has a frequency; there is "
                                                    "nothing a radio could use.")}));
    return std::nullopt;
}

} // namespace

int Run_write(const QStringList &arguments)
{
    Verb_line line(
        QStringLiteral("write"), Help,
        {QStringLiteral("缺少要写入的文件。"), QStringLiteral("The FILE to write is missing.")});
    const QCommandLineOption port_option(QStringLiteral("port"), QString(), QStringLiteral("DEV"));
    const QCommandLineOption verify_option(QStringLiteral("verify"));
    const QCommandLineOption no_backup_option(QStringLiteral("no-backup"));
    line.parser.addOptions({port_option, verify_option, no_backup_option});
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    QList<Radio_port> ports;
    Data_image image;
    if (const std::optional<int> status = take_radios_and_file(line, port_option, ports, image))
        return *status;
    QList<Radio_job::Step> steps{Radio_job::Step::Write};
    if (line.parser.isSet(verify_option))
        steps.append(Radio_job::Step::Verify);
    return run_on_radios(ports, steps, image, !line.parser.isSet(no_backup_option));
}

int Run_verify(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("verify"), Verify_help,
                   {QStringLiteral("缺少用来比较的文件。"),
                    QStringLiteral("The FILE to compare with is missing.")});
    const QCommandLineOption port_option(QStringLiteral("port"), QString(), QStringLiteral("DEV"));
    line.parser.addOption(port_option);
    if (const std::optional<int> status = line.parse(arguments, 1, 1))
        return *status;
    QList<Radio_port> ports;
    Data_image image;
    if (const std::optional<int> status = take_radios_and_file(line, port_option, ports, image))
        return *status;
    return run_on_radios(ports, {Radio_job::Step::Verify}, image, false);
}

} // namespace r7k::cli
