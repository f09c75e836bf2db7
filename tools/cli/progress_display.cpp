#include "cli/progress_display.h"

#include "cli/radio_job.h"
#include "cli/report.h"

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

// What a job is doing or how it ended.
Bilingual State_words(const Radio_job &job)
{
    switch (job.state()) {
    case Radio_job::State::Running:
        return Step_name(job.step());
    case Radio_job::State::Done:
        switch (job.step()) {
        case Radio_job::Step::Read:
            return {QStringLiteral("已读取"), QStringLiteral("read")};
        case Radio_job::Step::Write:
            return {QStringLiteral("已写入"), QStringLiteral("written")};
        case Radio_job::Step::Verify:
            return job.writes() ? Bilingual{QStringLiteral("已写入并校验"),
                                            QStringLiteral("written and verified")}
                                : Bilingual{QStringLiteral("已校验：对讲机存有该文件的数据"),
                                            QStringLiteral("verified: the radio holds the file")};
        }
        break;
    case Radio_job::State::Failed:
        return job.step() == Radio_job::Step::Verify && job.writes()
                   ? Bilingual{QStringLiteral("已写入但未校验：") + job.failure(),
                               QStringLiteral("written but not verified: ") + job.failure()}
                   : Bilingual{QStringLiteral("失败：") + job.failure(),
                               QStringLiteral("failed: ") + job.failure()};
    case Radio_job::State::Differs: {
        const QString count = QString::number(job.differing_blocks().size());
        return job.writes()
                   ? Bilingual{QStringLiteral("已写入，但对讲机有 %1 块数据与写入的不同")
                                   .arg(count),
                               QStringLiteral("written, but the radio holds other data in %1 "
                                              "block(s)")
                                   .arg(count)}
                   : Bilingual{
                         QStringLiteral("对讲机有 %1 块数据与文件不同").arg(count),
                         QStringLiteral("the radio holds other data in %1 block(s)").arg(count)};
    }
    case Radio_job::State::Interrupted:
        switch (job.step()) {
        case Radio_job::Step::Read:
            return {QStringLiteral("读取时被中断；没有保存任何数据"),
                    QStringLiteral("interrupted while reading; nothing was saved")};
        case Radio_job::Step::Write:
            return {QStringLiteral("写入时被中断；对讲机现存有部分写入的数据，必须重新写入"),
                    QStringLiteral("interrupted while writing; the radio now holds a partly "
                                   "written memory and must be written again")};
        case Radio_job::Step::Verify:
            return job.writes()
                       ? Bilingual{QStringLiteral("校验时被中断；已写入但未校验"),
                                   QStringLiteral("interrupted while verifying; written but not "
                                                  "verified")}
                       : Bilingual{QStringLiteral("校验时被中断"),
                                   QStringLiteral("interrupted while verifying")};
        }
        break;
    }
    return {};
}

} // namespace

QString State_text(const Radio_job &job)
{
    return In_language(State_words(job));
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
            line +=
                In_language({QStringLiteral("正在打开端口"), QStringLiteral("opening the port")});
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
