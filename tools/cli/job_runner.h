#pragma once

#include <QList>

namespace r7k::cli {

class Progress_display;
class Radio_job;

// Starts the jobs and runs the event loop until every one has ended; the
// display, when given, follows them. Ctrl-C, SIGTERM or SIGHUP meanwhile
// interrupts every job that still runs.
void Run_jobs(const QList<Radio_job *> &jobs, Progress_display *display);

} // namespace r7k::cli
