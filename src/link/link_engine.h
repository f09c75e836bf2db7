#pragma once

#include "core/image.h"
#include "link/link_listener.h"
#include "link/serial_line.h"
#include "link/timer_set.h"

#include <QByteArray>
#include <QList>
#include <array>

namespace r7k {

// Texts that every link dialog shows.
namespace Link_text {
extern const Bilingual Busy;         // a transfer is already running
extern const Bilingual Closing_busy; // Cancel pressed during a transfer
extern const Bilingual Port_failure; // the port could not be opened
extern const Bilingual Connecting;   // status line when a transfer starts
extern const Bilingual Connect_failed;
extern const Bilingual Communication_fault;
// A status while attempt `attempt` of `attempts` runs: from the second on it
// says which attempt it is.
Bilingual With_attempt(const Bilingual &status, int attempt, int attempts);
} // namespace Link_text

// The link layer that the read, write and power dialogs share: the sender,
// the reply time-out, the retries and the connect handshake. A mode derives
// from it and adds its own commands and reply handling.
//
// An engine works on the image it is given (the windows give the program's
// image) and keeps its link state to itself, so that several engines, each
// on its own line and timers, can run side by side on one event loop.
class Link_engine {
public:
    static constexpr int Send_delay_ms = 15;
    static constexpr int Reply_timeout_ms = 1000;
    static constexpr int Retry_delay_ms = 5000;
    static constexpr int Retries = 3;
    static constexpr int Last_block = 272;
    // The radio's identifier may follow a few other bytes, but must start
    // within the first ten bytes of its reply.
    static constexpr int Latest_identifier_start = 9;
    // Positions of rx_buf that the identification test looks at.
    static constexpr int Identify_window = 21;

    Link_engine(Serial_line &serial_line, Timer_set &timer_set, Link_listener &link_listener,
                Data_image &target);
    virtual ~Link_engine();
    Link_engine(const Link_engine &) = delete;
    Link_engine &operator=(const Link_engine &) = delete;

    // The dialog has opened.
    virtual void opened() {}
    // The dialog is going away: every timer stops and the port closes.
    virtual void shut_down();

    // The block that follows `block` in a transfer, given the incremented
    // number: the gaps after the channels, the frequency-mode record and the
    // optional features are skipped.
    static int Remapped(int block);
    // The blocks of a transfer that ends with block `last`, in order: 272 for
    // a read, 271 for a write.
    static QList<int> Transfer_blocks(int last);

    // Link state.
    std::array<quint8, 201> send_buf{}; // command bytes to send
    int send_len = 0;                   // bytes of send_buf to send
    int send_pos = 0;                   // next byte to send
    std::array<quint8, 2001> rx_buf{};  // handshake replies
    int block_no = 0;                   // block being transferred, 0 before the first
    int last_block = Last_block;
    int retry_count = Retries; // connection retries left
    int hs_stage = 0;          // 0: waiting for the ACK of Connect, 1: for the identifier
    bool identified = false;   // the radio's identifier was accepted
    bool sent_all = false;     // the current command has been sent completely
    bool link_busy = false;    // from the start of an attempt to its time-out or end
    bool link_done = false;    // the transfer completed; the dialog closes itself

protected:
    // Connect, the start of every attempt: opens the port if needed and
    // queues the connect command. False when the port could not be opened.
    bool connect_radio();
    // Puts the command into send_buf and arms the sender.
    void queue(const QByteArray &command);
    // The same with the input emptied before and after, so that nothing that
    // came earlier is taken for the reply.
    void queue_afresh(const QByteArray &command);
    // Reads waiting bytes up to the first ACK; every other byte is dropped.
    bool take_ack();
    // Where `identifier` first stands among the first `received` bytes of
    // rx_buf, or -1.
    int find_identifier(const QByteArray &identifier, int received) const;
    // Moves rx_buf left by `from` places, so that what stood there starts it.
    void shift_reply(int from);
    // The identifier was accepted: the transfer part takes over.
    void accept_identity();
    // A status of the running transfer, with the attempt after a retry.
    void show_running_status(const Bilingual &text);
    void stop_link_timers(); // Timer1, Timer2, Timer3
    void close_port();

    // The mode's connect command.
    virtual QByteArray connect_command() const;
    // The mode's fields at the start of an attempt.
    virtual void prepare_attempt() = 0;
    // Replies before identification; the default is Connect, ACK, Identify.
    virtual void handshake_received();
    // What the mode does once the radio is identified.
    virtual void identified_radio() = 0;
    // Replies after identification.
    virtual void transfer_received() = 0;
    // Timer4; the default closes the dialog once the transfer is done.
    virtual void close_timer_fired();
    // The blocks of the mode's transfer, and the one whose reply it waits
    // for once the radio is identified (0 for the reply to Start).
    virtual QList<int> transfer_blocks() const { return {}; }
    virtual int awaited_block() const { return 0; }

    Serial_line &line;
    Timer_set &timers;
    Link_listener &listener;
    Data_image &image; // read into, or written from

private:
    bool open_port();
    void data_received();
    void timer_fired(Link_timer timer);
    void send_burst();
    void reply_timed_out();
    void retry();
    Link_failure how_attempt_ended();

    QByteArray rejected_identity; // of this attempt
    Link_failure last_attempt;
};

// A read or a write: the user starts it, and it closes its dialog when done.
class Transfer_engine : public Link_engine {
public:
    using Link_engine::Link_engine;

    // The Read or Write button: refused with a message while a transfer
    // runs, and then nothing else happens.
    void start();
    // Closing the dialog: false, after telling the user, while a transfer
    // runs.
    bool may_close();

protected:
    // What the mode does when the user starts it.
    virtual void start_transfer() = 0;
    // Retries afresh and connects; on success the dialog shows it.
    void connect_afresh();
};

} // namespace r7k
