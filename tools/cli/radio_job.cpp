#include "cli/radio_job.h"

#include "cli/report.h"
#include "link/protocol.h"
#include "link/read_engine.h"
#include "link/verify_engine.h"
#include "link/write_engine.h"

#include <QTimer>
#include <algorithm>

namespace r7k::cli {

namespace {

// The engines' messages say what the user of a window should do; a command
// line says what happened.
QString cause_of(const Bilingual &text, const QString &details)
{
    const QString reason = One_line(details);
    if (text == Link_text::Port_failure)
        return In_language(
                   {QStringLiteral("无法打开端口："), QStringLiteral("cannot open the port: ")}) +
               reason;
    const QString said = In_language(text).trimmed();
    return reason.isEmpty() ? said : said + QStringLiteral(" (") + reason + ')';
}

} // namespace

Bilingual Step_name(Radio_job::Step step)
{
    switch (step) {
    case Radio_job::Step::Read:
        return {QStringLiteral("读取"), QStringLiteral("reading")};
    case Radio_job::Step::Write:
        return {QStringLiteral("写入"), QStringLiteral("writing")};
    case Radio_job::Step::Verify:
        return {QStringLiteral("校验"), QStringLiteral("verifying")};
    }
    return {};
}

Radio_job::Radio_job(const Radio_port &port, QList<Step> steps, Data_image &target)
    : radio(port), writing(steps.contains(Step::Write)), remaining(std::move(steps)),
      current(remaining.first()), image(target), line(port.device)
{}

Radio_job::~Radio_job()
{
    // The engine says goodbye to the radio while its line still exists.
    engine.reset();
}

void Radio_job::start()
{
    begin_step();
}

void Radio_job::interrupt()
{
    if (now == State::Running)
        end(State::Interrupted);
}

void Radio_job::begin_step()
{
    percent = 0;
    opened = false;
    placed = false;
    last_message.clear();
    // The engine of the previous step lets go of the line before the next
    // one takes it.
    engine.reset();
    current = remaining.takeFirst();
    switch (current) {
    case Step::Read:
        engine = std::make_unique<Read_engine>(line, timers, *this, image);
        break;
    case Step::Write:
        engine = std::make_unique<Write_engine>(line, timers, *this, image);
        break;
    case Step::Verify:
        engine = std::make_unique<Verify_engine>(line, timers, *this, image);
        break;
    }
    engine->opened();
    engine->start();
}

void Radio_job::show_progress(int value)
{
    if (value == percent)
        return;
    percent = value;
    Q_EMIT changed();
}

// The engine says so once its port is open and it sends Connect.
void Radio_job::show_status(const Bilingual &)
{
    if (opened)
        return;
    opened = true;
    Q_EMIT changed();
}

void Radio_job::back_up_image(const Data_image &backup)
{
    if (keep_backup)
        keep_backup(backup, current);
}

void Radio_job::show_message(const Bilingual &text, const Bilingual &, const QString &details)
{
    // After the last retry radio_failed() has said what happened.
    if (text != Link_text::Connect_failed)
        // The port's own words come in the environment's language.
        last_message = cause_of(
            text, text == Link_text::Port_failure ? In_language(line.error_words()) : details);
}

void Radio_job::radio_failed(const Link_failure &last)
{
    placed = true;
    last_message = In_language(last.what_happened());
}

void Radio_job::failed()
{
    if (now != State::Running)
        return;
    cause = percent == 0 || placed ? last_message
                                   : In_language({QStringLiteral("%1在 %2 % 处停止：%3"),
                                                  QStringLiteral("%1 stopped at %2 %: %3")})
                                         .arg(In_language(Step_name(current)))
                                         .arg(percent)
                                         .arg(last_message);
    end(State::Failed);
}

// The engine's close check fires until the engine is shut down: the first
// one counts. The next step begins once the engine's own handler has
// returned.
void Radio_job::finished()
{
    if (now != State::Running || !engine->link_done)
        return;
    engine->shut_down();
    QTimer::singleShot(0, this, &Radio_job::step_done);
}

void Radio_job::step_done()
{
    if (now != State::Running)
        return;
    if (current == Step::Verify)
        differing = static_cast<Verify_engine &>(*engine).differing_blocks();
    if (!differing.isEmpty()) {
        end(State::Differs);
        return;
    }
    if (remaining.isEmpty()) {
        percent = 100;
        end(State::Done);
        return;
    }
    begin_step();
}

void Radio_job::end(State outcome)
{
    now = outcome;
    if (engine)
        engine->shut_down();
    Q_EMIT changed();
}

} // namespace r7k::cli
