// Start-up benchmark: how long from process start until the main window has
// painted its start-up contents, and the peak memory by then.
//
//   bench_startup [runs]     runs the program that many times (default 15)
//                            and prints the medians; last line
//                            "startup_ms: X rss_mb: Y"
//
// Each run is a fresh process (this program with --once) on the offscreen
// platform, timed from the moment it is started until it reports the paint.
#include "app/windows.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr const char *Once = "--once";

// Reports the first paint of the main window and ends the run.
class First_paint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            QTimer::singleShot(0, qApp, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("painted rss_kb: %ld\n", usage.ru_maxrss);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen = false;
};

int run_once(int argc, char *argv[])
{
    QApplication app(argc, argv);
    r7k::Main_window window;
    First_paint paint;
    window.installEventFilter(&paint);
    r7k::Register_windows(window);
    window.start_up();
    window.show();
    return QApplication::exec();
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int measure(const QString &self, int runs)
{
    QList<double> times;
    QList<double> memory;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        child.start(self, {QString::fromLatin1(Once)});
        QByteArray output;
        while (!output.contains('\n') && child.waitForReadyRead(10000))
            output += child.readAllStandardOutput();
        const double ms = clock.nsecsElapsed() / 1e6;
        child.waitForFinished(10000);
        const QList<QByteArray> words = output.trimmed().split(' ');
        if (words.size() != 3 || words[0] != "painted") {
            std::fprintf(stderr, "run %d did not report its paint: %s\n", i + 1,
                         output.constData());
            return 1;
        }
        times.append(ms);
        memory.append(words[2].toDouble() / 1024);
        std::printf("run %2d: %.1f ms, %.1f MB\n", i + 1, ms, memory.last());
    }
    std::printf("startup_ms: %.1f rss_mb: %.1f\n", median(times), median(memory));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], Once) == 0)
        return run_once(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QCoreApplication app(argc, argv);
    return measure(QCoreApplication::applicationFilePath(), runs);
}
