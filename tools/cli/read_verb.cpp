// r7k read: the radio's memory into a channel file.

#include "cli/exit_status.h"
#include "cli/image_file.h"
#include "cli/job_runner.h"
#include "cli/progress_display.h"
#include "cli/radio_job.h"
#include "cli/report.h"
#include "cli/verb_line.h"
#include "cli/verbs.h"

#include <QDateTime>

namespace r7k::cli {

namespace {

const QString Help =
    QStringLiteral("Usage: r7k read --port DEV [-o FILE]\n"
                   "Reads the radio on DEV into a channel file (.chann).\n"
                   "\n"
                   "  --port DEV          the radio's serial device, or COM1..COM8\n"
                   "  -o, --output FILE   the file to write; by default r7k-YYYYMMDD-HHMMSS.chann\n"
                   "                      in the current folder\n"
                   "  --no-backup         keep no backup of what was read in the backups folder\n"
                   "  -h, --help          show this text\n"
                   "\n"
                   "Progress shows as a bar on a terminal and as plain lines otherwise. The\n"
                   "file is checked before the radio is; Ctrl-C stops the read and saves nothing.\n"
                   "Exit status: 0 read, 2 bad command line, 3 the file cannot be written,\n"
                   "4 the port cannot be opened or the radio does not answer, 130 interrupted.\n");

QString default_file_name()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("'r7k-'yyyyMMdd-HHmmss'.chann'"));
}

} // namespace

int Run_read(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("read"), Help);
    const QCommandLineOption port_option(QStringLiteral("port"), QString(), QStringLiteral("DEV"));
    const QCommandLineOption output_option({QStringLiteral("o"), QStringLiteral("output")},
                                           QString(), QStringLiteral("FILE"));
    const QCommandLineOption no_backup_option(QStringLiteral("no-backup"));
    line.parser.addOptions({port_option, output_option, no_backup_option});
    if (const std::optional<int> status = line.parse(arguments, 0, 0))
        return *status;
    const QStringList port_values = line.parser.values(port_option);
    if (port_values.size() != 1)
        return line.usage_error(port_values.isEmpty()
                                    ? Missing_port
                                    : Bilingual{QStringLiteral("读取只用一个 --port。"),
                                                QStringLiteral("A read takes one --port.")});
    int status = Exit_ok;
    QString error;
    const QList<Radio_port> ports = Radio_ports(port_values, status, error);
    if (ports.isEmpty())
        return status == Exit_usage ? line.usage_error(error) : Fail(Exit_link, error);

    const QString path =
        line.parser.isSet(output_option) ? line.parser.value(output_option) : default_file_name();
    // A read takes a while: a file that cannot be written is said at once.
    if (const std::optional<QString> problem = Unwritable(path))
        return Fail(Exit_file, *problem);

    Data_image image;
    Reset_image(image);
    Radio_job job(ports.first(), {Radio_job::Step::Read}, image);
    if (!line.parser.isSet(no_backup_option))
        job.keep_backup = [](const Data_image &read, Radio_job::Step) {
            Keep_backup(read, Backups::Kind::Read);
        };
    Progress_display display = Progress_display::On_stdout();
    Run_jobs({&job}, &display);
    if (job.state() == Radio_job::State::Interrupted)
        return Fail(Exit_interrupted, job.port().name + QStringLiteral(": ") + State_text(job));
    if (job.state() != Radio_job::State::Done)
        return Fail(Exit_link, job.port().name + QStringLiteral(": ") + job.failure());
    if (const std::optional<QString> problem = Save_image(path, image))
        return Fail(Exit_file, *problem);
    Say(In_language({QStringLiteral("%1：已读入 %2"), QStringLiteral("%1: read into %2")})
            .arg(job.port().name, path));
    return Exit_ok;
}

} // namespace r7k::cli
