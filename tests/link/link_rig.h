#pragma once

#include "core/bilingual.h"
#include "fake_clock.h"
#include "fake_line.h"
#include "link/link_listener.h"

#include <QList>
#include <QStringList>

// Records what an engine reports, as a dialog would show it.
struct Recording_listener final : r7k::Link_listener {
    struct Shown {
        r7k::Bilingual text;
        r7k::Bilingual title;
        QString details;
    };

    QList<int> progress;
    QList<r7k::Bilingual> statuses;
    QList<Shown> messages;
    int finished_count = 0;
    int levels = 0;

    void show_progress(int value) override { progress.append(value); }
    void show_status(const r7k::Bilingual &text) override { statuses.append(text); }
    void show_message(const r7k::Bilingual &text, const r7k::Bilingual &title,
                      const QString &details) override
    {
        messages.append({text, title, details});
    }
    void levels_received() override { ++levels; }
    void finished() override { ++finished_count; }

    // English texts of the messages shown, in order.
    QStringList message_texts() const
    {
        QStringList texts;
        for (const Shown &m : messages)
            texts.append(m.text.english);
        return texts;
    }
    QString last_status() const { return statuses.isEmpty() ? QString() : statuses.last().english; }
};

// An engine on a fake line joined to the simulated radio, in virtual time.
template <class Engine> struct Link_rig {
    Fake_clock clock;
    r7k::sim::Radio radio;
    Wire_log log;
    Fake_line line{clock, radio, log};
    Fake_timer_set timers{clock};
    Recording_listener listener;
    Engine engine{line, timers, listener};
};

// The start-up state of the globals the link uses: port 1, no port error,
// the start-up image with the factory channels, an empty reply buffer.
void Reset_link_globals();

// Blocks 1..128, 131, 140 and 144..last in transfer order.
QList<int> Transfer_blocks(int last);

// "AT^" + code bytes + CR, and the address bytes of a block, worked out the
// way the radio documents them: high = n div 16, low = (n mod 16) * 16.
QByteArray Address_of(int block);

// Splits the bytes sent into commands, each ending in CR (a single End or
// Leave byte stands alone).
QList<QByteArray> Commands_in(const QByteArray &sent);
