// r7k detect: which port an R7K radio answers on.

#include "cli/port_mappings.h"
#include "cli/report.h"
#include "cli/verbs.h"
#include "link/qt_timer_set.h"
#include "link/radio_finder.h"

#include <QEventLoop>
#include <algorithm>

namespace r7k::cli {

namespace {

const QString Help =
    QStringLiteral("Usage: r7k detect [--all] [--port COMn=PATH]...\n"
                   "Looks for R7K radios: on each port COM1..COM8 that is a USB serial adapter\n"
                   "or was named with --port, one port at a time, it sends the radio's Connect\n"
                   "and Identify commands once and closes the port again at once. It reads and\n"
                   "writes no memory of the radio. A port that is in use or may not be opened is\n"
                   "reported and left alone.\n"
                   "\n"
                   "  --all              try every port that stands for a device, not only USB\n"
                   "                     serial adapters\n"
                   "  --port COMn=PATH   let port COMn stand for the device PATH, as in r7k-cps\n"
                   "  -h, --help         show this text\n"
                   "\n"
                   "Exit status: 0 a radio answered, 2 bad command line, 4 no radio answered.\n");

const Bilingual No_radio{QStringLiteral("没有对讲机应答。"),
                         QStringLiteral("No R7K radio answered.")};

Bilingual nothing_to_try()
{
    return {QStringLiteral("没有可以尝试的端口：没有插上 USB 串口适配器。用 --all 尝试所有串口，"
                           "或用 --port COMn=PATH 指明设备。"),
            QStringLiteral("No port to try: no USB serial adapter is plugged in. --all tries "
                           "every serial port, --port COMn=PATH names a device.")};
}

Bilingual not_tried(const QStringList &names)
{
    const QString list = names.join(QStringLiteral(", "));
    return {QStringLiteral("未尝试（不是 USB 串口适配器，--all 也尝试它们）：") + list,
            QStringLiteral("Not tried (not USB serial adapters; --all tries them too): ") + list};
}

} // namespace

int Run_detect(const QStringList &arguments)
{
    Verb_line line(QStringLiteral("detect"), Help);
    const QCommandLineOption all_option(QStringLiteral("all"), QString());
    line.parser.addOption(all_option);
    Add_port_mapping_option(line);
    if (const std::optional<int> status = line.parse(arguments, 0, 0))
        return *status;
    if (const std::optional<int> status = Map_ports(line))
        return *status;

    const QList<Port_entry> entries = Port_entries();
    const QList<Port_entry> to_try = Ports_to_try(entries, line.parser.isSet(all_option));
    QStringList skipped;
    for (const Port_entry &entry : entries) {
        const auto tried = [&entry](const Port_entry &other) {
            return other.port_no == entry.port_no;
        };
        if (!entry.device.location.isEmpty() && std::none_of(to_try.cbegin(), to_try.cend(), tried))
            skipped.append(entry.name() + QStringLiteral(" (") + entry.where() + ')');
    }
    if (to_try.isEmpty())
        return Fail(Exit_link, In_language(nothing_to_try()));

    int radios = 0;
    QEventLoop loop;
    Radio_finder finder(
        [](const Port_entry &entry) { return System_link_parts(entry.device.location); },
        std::make_unique<Qt_timer_set>());
    finder.on_finding = [&radios](const Port_finding &finding) {
        radios += finding.kind == Port_finding::Kind::Radio;
        Say(In_language(finding.text()));
    };
    finder.on_done = [&loop] { loop.quit(); };
    finder.start(to_try);
    if (finder.running())
        loop.exec();
    if (!skipped.isEmpty())
        Say(In_language(not_tried(skipped)));
    return radios > 0 ? Exit_ok : Fail(Exit_link, In_language(No_radio));
}

} // namespace r7k::cli
