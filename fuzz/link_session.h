#pragma once

#include "core/image.h"
#include "fake_line.h"
#include "fuzz_input.h"
#include "link/link_engine.h"
#include "link/power_engine.h"
#include "sim/radio.h"

#include <QByteArray>
#include <array>
#include <memory>

// One run of the read, write and power engines against the simulated radio
// in virtual time, as a fuzz input plays it. The front of the input decides
// what the user does (open a dialog, Read, Write, Cancel, Close, move a
// power bar, wait, pull the cable) and how long each message box stays up;
// its back decides how each answer of the radio travels back. The session
// checks the link's promises as it goes and stops the program at the first
// one broken.
class Link_session final : public r7k::Link_listener {
public:
    explicit Link_session(Fuzz_input &choices);
    ~Link_session() override;
    Link_session(const Link_session &) = delete;
    Link_session &operator=(const Link_session &) = delete;

    void run();

    // What the open dialog does with the engine's reports.
    void show_progress(int value) override;
    void show_status(const r7k::Bilingual &text) override;
    void show_message(const r7k::Bilingual &text, const r7k::Bilingual &title,
                      const QString &details) override;
    void finished() override;
    void levels_received() override;
    void transfer_starting() override;

private:
    enum class Kind { Read, Write, Power };
    struct Dialog;

    void user_step();
    void open_dialog(Kind kind);
    void press_action();
    void move_bar(int index, int value);
    void close_dialog();
    void post_close();
    void dispose_closed_dialog();
    void pass(int ms, int slice_ms = 100);
    void carry(Fake_line &line, const QByteArray &answer);

    void check();
    void check_read(const Dialog &dialog) const;
    void check_write() const;
    void check_power() const;
    bool same_as_radio(int row) const;

    Fuzz_input &input;
    Fake_clock clock;
    r7k::sim::Radio radio;
    std::unique_ptr<Dialog> dialog;
    int boxes_up = 0;              // message boxes running their event loops
    bool cable_pulled = false;     // the port cannot be opened
    bool content_kept = true;      // no answer was changed or repeated
    r7k::Data_image checked_image; // the image when its cells were last checked
};
