// Looking for radios in virtual time: several ports, each on a fake line to
// a simulated radio of its own.
#include "fake_line.h"
#include "link/commands.h"
#include "link/link_engine.h"
#include "link/radio_finder.h"

#include <QTest>
#include <deque>

using namespace r7k;

namespace {

// One port of the search and what stands behind it.
struct Far_end {
    Port_entry entry;
    sim::Radio radio;
    Wire_log log;
};

Port_entry entry_of(int port_no, const QString &device, int vendor = -1, int product = -1)
{
    return {.port_no = port_no, .device = {device, {}, {}, vendor, product}};
}

} // namespace

class Test_radio_finder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two radios with memories of their own, one that answers nothing, one
    // that names another model and one held by another program: each port
    // is tried alone and closed at once, a radio only identifies itself, and
    // a port that cannot be opened gets no byte.
    void each_port_is_asked_once_and_alone()
    {
        Fake_clock clock;
        std::deque<Far_end> ports;
        const auto add = [&ports](const Port_entry &entry) -> Far_end & {
            return ports.emplace_back(entry);
        };
        add(entry_of(1, "/dev/ttyUSB0", 0x1a86, 0x7523));
        add(entry_of(2, "/dev/ttyUSB1", 0x067b, 0x2303)).radio.set_faults({.no_answer = true});
        add(entry_of(3, "/dev/ttyUSB2")).log.refuse_open = "in use by another program";
        add(entry_of(4, "/tmp/radio-b")).radio.set_byte(1, 0, 0x45);
        add(entry_of(5, "/dev/ttyS0")).radio.set_faults({.wrong_identity = true});

        bool alone = true;
        Radio_finder finder(
            [&](const Port_entry &entry) {
                for (const Far_end &port : ports)
                    alone = alone && !port.log.open;
                Far_end &port = ports[entry.port_no - 1];
                return Link_parts{std::make_unique<Fake_line>(clock, port.radio, port.log),
                                  std::make_unique<Fake_timer_set>(clock)};
            },
            std::make_unique<Fake_timer_set>(clock));
        QStringList found;
        QList<qint64> when;
        bool done = false;
        finder.on_finding = [&](const Port_finding &finding) {
            found.append(finding.text().english);
            when.append(clock.now());
        };
        finder.on_done = [&] { done = true; };
        QList<Port_entry> entries;
        for (const Far_end &port : ports)
            entries.append(port.entry);
        finder.start(entries);
        QVERIFY(clock.advance_until([&] { return done; }, 10'000));

        QCOMPARE(found,
                 QStringList({"COM1: R7K radio (/dev/ttyUSB0, 1a86:7523)",
                              "COM2: no answer (/dev/ttyUSB1, 067b:2303)",
                              "COM3: cannot be opened (/dev/ttyUSB2): in use by another "
                              "program",
                              "COM4: R7K radio (/tmp/radio-b)", "COM5: no answer (/dev/ttyS0)"}));
        QVERIFY(alone);
        // A radio is known within a check of its answer; a silent port takes
        // the one reply time-out, with no retry.
        const qint64 answer = 200,
                     timeout = Link_engine::Reply_timeout_ms + 2 * Radio_finder::Check_ms;
        QVERIFY2(when[0] < answer && when[1] - when[0] < timeout + answer,
                 qPrintable(QString::number(when[1])));
        const QByteArray identify("AT^\x02\r", 5);
        const QByteArray expected_sent[] = {Command::Connect() + identify,
                                            Command::Connect(),
                                            {},
                                            Command::Connect() + identify,
                                            Command::Connect() + identify};
        for (std::size_t i = 0; i < ports.size(); ++i) {
            QCOMPARE(ports[i].log.sent, expected_sent[i]);
            QCOMPARE(ports[i].log.opens, i == 2 ? 0 : 1);
            QVERIFY(!ports[i].log.open);
            QVERIFY(ports[i].radio.written_blocks().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(Test_radio_finder)
#include "test_radio_finder.moc"
