#include "cli/progress_display.h"

#include "cli/radio_job.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace r7k::cli {

namespace {

constexpr int Bar_width = 30;

QString bar(int percent)
{
    const int filled = percent * Bar_width / 100;
    return QLatin1Char('[') + QString(filled, QLatin1Char('#')) +
           QString(Bar_width - filled, QLatin1Char('.')) + QLatin1Char(']');
}

void put(std::FILE *out, const QString &text)
{
    std::fputs(text.toUtf8().constData(), out);
}

} // namespace

QString State_text(const Radio_job &job)
{
    switch (job.state()) {
    case Radio_job::State::Running:
        return Step_name(job.step());
    case Radio_job::State::Done:
        switch (job.step()) {
        case Radio_job::Step::Read:
            return QStringLiteral("read");
        case Radio_job::Step::Write:
            return QStringLiteral("written");
        case Radio_job::Step::Verify:
            return job.writes() ? QStringLiteral("written and verified")
                                : QStringLiteral("verified: the radio holds the file");
        }
        break;
    case Radio_job::State::Failed:
        return (job.step() == Radio_job::Step::Verify && job.writes()
                    ? QStringLiteral("written but not verified: ")
                    : QStringLiteral("failed: ")) +
               job.failure();
    case Radio_job::State::Differs:
        return (job.writes() ? QStringLiteral("written, but the radio holds other data in %1 "
                                              "block(s)")
                             : QStringLiteral("the radio holds other data in %1 block(s)"))
            .arg(job.differing_blocks().size());
    case Radio_job::State::Interrupted:
        switch (job.step()) {
        case Radio_job::Step::Read:
            return QStringLiteral("interrupted while reading; nothing was saved");
        case Radio_job::Step::Write:
            return QStringLiteral("interrupted while writing; the radio now holds a partly "
                                  "written memory and must be written again");
        case Radio_job::Step::Verify:
            return job.writes()
                       ? QStringLiteral("interrupted while verifying; written but not verified")
                       : QStringLiteral("interrupted while verifying");
        }
        break;
    }
    return {};
}

Progress_display::Progress_display(std::FILE *output, bool on_terminal)
    : out(output), terminal(on_terminal)
{}

Progress_display Progress_display::On_stdout()
{
#ifdef Q_OS_UNIX
    return Progress_display(stdout, isatty(STDOUT_FILENO) == 1);
#else
    return Progress_display(stdout, false);
#endif
}

void Progress_display::show(const QList<Radio_job *> &jobs)
{
    if (terminal)
        redraw(jobs);
    else
        print_news(jobs);
    std::fflush(out);
}

void Progress_display::redraw(const QList<Radio_job *> &jobs)
{
    int width = 0;
    for (const Radio_job *job : jobs)
        width = qMax(width, int(job->port().name.size()));
    if (drawn_lines > 0)
        put(out, QStringLiteral("\x1b[%1A").arg(drawn_lines));
    for (const Radio_job *job : jobs) {
        QString line = job->port().name.leftJustified(width) + QStringLiteral("  ");
        if (job->state() == Radio_job::State::Running && !job->port_open())
            line += QStringLiteral("opening the port");
        else if (job->state() == Radio_job::State::Running)
            line += bar(job->progress()) + QLatin1Char(' ') +
                    QString::number(job->progress()).rightJustified(3) + QStringLiteral("% ") +
                    State_text(*job);
        else
            line += State_text(*job);
        put(out, QStringLiteral("\r\x1b[2K") + line + QLatin1Char('\n'));
    }
    drawn_lines = int(jobs.size());
}

void Progress_display::print_news(const QList<Radio_job *> &jobs)
{
    last_shown.resize(jobs.size());
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        const Radio_job &job = *jobs[i];
        if (job.state() != Radio_job::State::Running || !job.port_open())
            continue;
        const QString news = job.port().name + QStringLiteral(": ") + State_text(job) +
                             QLatin1Char(' ') + QString::number(job.progress() / 10 * 10) +
                             QLatin1Char('%');
        if (news == last_shown[i])
            continue;
        last_shown[i] = news;
        put(out, news + QLatin1Char('\n'));
    }
}

} // namespace r7k::cli
