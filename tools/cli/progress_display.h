#pragma once

#include <QList>
#include <QString>
#include <cstdio>

namespace r7k::cli {

class Radio_job;

// What a job is doing or how it ended, in words: "writing", "written and
// verified", "failed: the radio does not answer ...".
QString State_text(const Radio_job &job);

// Shows how radio jobs progress. On a terminal every radio has a line with a
// bar, redrawn in place; elsewhere (a file, a pipe) a plain line is printed
// whenever a job begins a step or passes another tenth, so that logs stay
// short and readable.
class Progress_display {
public:
    Progress_display(std::FILE *out, bool terminal);
    // On standard output, as a bar when it is a terminal.
    static Progress_display On_stdout();

    void show(const QList<Radio_job *> &jobs);

private:
    void redraw(const QList<Radio_job *> &jobs);
    void print_news(const QList<Radio_job *> &jobs);

    std::FILE *out;
    bool terminal;
    int drawn_lines = 0;
    QList<QString> last_shown; // per job: what was printed last
};

} // namespace r7k::cli
