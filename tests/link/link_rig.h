#pragma once

#include "core/globals.h"
#include "core/image.h"
#include "fake_line.h"
#include "image_rows.h"
#include "link/link_listener.h"
#include "link/link_parts.h"
#include "link/protocol.h"
#include "test_radios.h"

#include <QRegularExpression>
#include <QStringList>

// What the engines send and show, as a recording listener writes it down.
inline const QByteArray Connect_command = "AT^" + r7k::Protocol::Access_word + "\r";
inline const QString Port_failed_message = QStringLiteral(
    "Operate prompt: 通讯端口打开错误，请正确设置通讯端口 ！ / Communication port is error, "
    "please setting right communication port . ！");
inline const QString Read_complete_message = QStringLiteral(
    "Operate Prompt: 从对讲机中读取数据完毕 ！ / Complete reading the data from transceiver.");

// Records what an engine reports, as a dialog would show it: a message as
// "title: chinese / english", a status as "chinese / english".
struct Recording_listener final : r7k::Link_listener {
    QList<int> progress;
    QStringList statuses, messages;
    QString details;           // of the last message
    r7k::Link_failure failure; // how the last attempt ended, once no retry is left
    int finished_count = 0;
    int failures = 0; // starts that ended without a transfer
    int levels = 0;
    // What happens while a message is up, as under a real box.
    std::function<void()> while_message;

    static QString both(const r7k::Bilingual &text) { return text.chinese + " / " + text.english; }
    void show_progress(int value) override { progress.append(value); }
    void show_status(const r7k::Bilingual &text) override { statuses.append(both(text)); }
    void show_message(const r7k::Bilingual &text, const r7k::Bilingual &title,
                      const QString &why) override
    {
        messages.append(title.english + ": " + both(text));
        details = why;
        if (while_message)
            while_message();
    }
    void levels_received() override { ++levels; }
    void finished() override { ++finished_count; }
    void failed() override { ++failures; }
    void radio_failed(const r7k::Link_failure &last) override { failure = last; }

    // The block numbers that the statuses name, in order.
    QList<int> block_numbers() const
    {
        QList<int> numbers;
        static const QRegularExpression number(QStringLiteral("(\\d+) +Data Block"));
        for (const QString &status : statuses)
            if (const auto match = number.match(status); match.hasMatch())
                numbers.append(match.captured(1).toInt());
        return numbers;
    }
};

// The radio of the test row joined by a fake line, in virtual time. It
// outlives the line, which a dialog may own.
struct Wire_bench {
    Fake_clock clock;
    r7k::sim::Radio radio = Test_radios::radio();
    Wire_log log;

    r7k::Link_parts parts()
    {
        return {std::make_unique<Fake_line>(clock, radio, log),
                std::make_unique<Fake_timer_set>(clock)};
    }
};

// Where each link test starts, against the radio of its row: port 1,
// English, the start-up image with the factory channels and power levels
// unlike any radio's.
inline void Start_link_test()
{
    Test_radios::use_row();
    r7k::Port_no = 1;
    r7k::Port_error = false;
    r7k::Language = false;
    r7k::Reset_image();
    r7k::Load_default_image();
    for (int c = 0; c < 16; ++c)
        r7k::chann(r7k::Power_row, c) = qint16(c + 1);
}

// An engine on a fake line to a radio with the given faults, reporting to a
// recording listener.
template <class Engine> struct Link_rig : Wire_bench {
    explicit Link_rig(r7k::sim::Faults faults = {}, int largest_piece = 20)
    {
        radio.set_faults(faults);
        log.largest_piece = largest_piece;
    }

    Fake_line line{clock, radio, log};
    Fake_timer_set timers{clock};
    Recording_listener listener;
    Engine engine{line, timers, listener, r7k::chann};

    bool run_to_end()
    {
        return clock.advance_until([this] { return engine.link_done; }, 60'000);
    }
};

// The address bytes of a block, worked out the way the radio documents
// them: high = n div 16, low = (n mod 16) * 16.
inline QByteArray Address_of(int block)
{
    return QByteArray(1, char(block / 16)) + char((block % 16) * 16);
}
