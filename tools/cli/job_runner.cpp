#include "cli/job_runner.h"

#include "cli/progress_display.h"
#include "cli/radio_job.h"
#include "cli/stop_signals.h"

#include <QEventLoop>
#include <algorithm>

namespace r7k::cli {

void Run_jobs(const QList<Radio_job *> &jobs, Progress_display *display)
{
    QEventLoop loop;
    const auto all_ended = [&jobs] {
        return std::none_of(jobs.cbegin(), jobs.cend(), [](const Radio_job *job) {
            return job->state() == Radio_job::State::Running;
        });
    };
    for (Radio_job *job : jobs)
        QObject::connect(job, &Radio_job::changed, &loop, [&] {
            if (display)
                display->show(jobs);
            if (all_ended())
                loop.quit();
        });
    Stop_signals stop;
    QObject::connect(&stop, &Stop_signals::stop_requested, &loop, [&jobs] {
        for (Radio_job *job : jobs)
            job->interrupt();
    });
    for (Radio_job *job : jobs)
        job->start();
    // A job can end while it starts (a port that cannot be opened).
    if (!all_ended())
        loop.exec();
}

} // namespace r7k::cli
