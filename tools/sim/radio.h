#pragma once

#include "files/channel_file.h"
#include "link/protocol.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <array>

namespace r7k::sim {

// Faults the simulated radio can be told to show. Block numbers are radio
// block numbers (address / 16); -1 means the fault is off.
struct Faults {
    bool no_answer = false;      // answers nothing at all
    bool wrong_identity = false; // ACKs Connect, then answers Identify with another model's id
    int short_reply_at = -1;     // the reply to Read block k holds 19 bytes instead of 20
    int noise_at = -1;           // instead of the reply to block k (read or write), 7 noise bytes
    int stall_at = -1;           // from the request for block k on, answers nothing
    int hang_up_at = -1;         // at the request for block k the radio goes away
    int corrupt_at = -1;         // stores block k altered when written, and acknowledges it
    // Each fault strikes only in the first session after Connect, and a radio
    // that hung up comes back, as after a cable pulled and plugged in again.
    bool once = false;
};
// A power frame writes block 240: noise, stall and hang-up at 240 strike it.

// What a radio decides for itself and a program must take as it comes: the
// bytes of its replies beyond those the program waits for, its power levels,
// and how it spaces its bytes in time. The defaults are one such radio.
struct Personality {
    enum class Header { Echo, Fixed, Random };

    QByteArray connect_reply = QByteArray(1, Protocol::Ack); // the reply to Connect: an ACK first
    QByteArray identity_tail; // after the identifier, in the reply to Identify
    QByteArray start_reply = QByteArray(2, Protocol::Ack); // the reply to Start: an ACK and more
    // The four header bytes of a block reply: the command's "R", address and
    // length echoed, the same four bytes for every block, or random ones.
    Header header = Header::Echo;
    QByteArray fixed_header;
    QList<int> levels;     // low, mid, high power at the start; empty: as the memory holds them
    QByteArray power_lead; // before the identifier, in the reply to the power connect
    QByteArray power_tail; // after the levels there
    int pieces = 1;        // each reply goes out in this many pieces,
    int gap_ms = 0;        // this long apart
};

// `reply` cut into `count` pieces as even as can be; fewer when it is shorter.
QList<QByteArray> Pieces_of(const QByteArray &reply, int count);

// The radio's side of the programming protocol: it takes the bytes the
// program sends, in any split, and returns the bytes it answers. It keeps a
// memory of 301 blocks of 16 bytes and follows the radio's sessions: a
// Connect opens one, Identify and Start must follow in that order before
// blocks are read or written, and End or Leave closes it. Anything out of
// order, or not a command at all, is dropped without an answer, as a radio
// does.
class Radio {
public:
    static constexpr int Block_count = 301;
    static constexpr int Block_size = 16;

    Radio(); // memory = the demo memory
    void set_faults(const Faults &faults);
    // Its levels, when it names any, go into the memory at once.
    void set_personality(const Personality &personality);
    const Personality &personality() const { return traits; }

    QByteArray receive(const QByteArray &bytes);
    bool hung_up() const { return gone; }
    // The line is taken up again after a hang-up: the radio is back when its
    // faults strike once. True when the radio is there.
    bool come_back();

    int byte(int block, int column) const;
    void set_byte(int block, int column, int value);
    Channel_file::Outcome load(const QString &chann_path); // blocks 0..280
    Channel_file::Outcome save(const QString &chann_path) const;

    QList<int> written_blocks() const { return written; }
    QList<QByteArray> power_frames() const { return power; }
    bool ended() const { return end_received; }
    bool left() const { return leave_received; }

private:
    enum class Session { Closed, Connected, Identified, Started, Power };
    enum class Parse { Need_more, Consumed, Not_a_command };

    Parse take_command(QByteArray &reply);
    Parse take_prefixed(QByteArray &reply);
    Parse take_access(QByteArray &reply);
    Parse take_block(char code, QByteArray &reply);
    Parse take_power_frame(QByteArray &reply);
    void open_session(Session kind);
    void close_session();
    // Blocks 0..280, the ones a channel file holds, from the image's rows.
    void take_file_blocks(const Data_image &image);
    bool fault_active() const;
    bool fault_at(int fault_block, int block) const;
    // The faults that strike at the request for a block, read, written or a
    // power frame: true when the request gets no regular answer.
    bool strike(int block, QByteArray &reply);
    QByteArray identity() const;
    QByteArray read_header(int block);

    std::array<quint8, Block_count * Block_size> memory{};
    Faults faults;
    Personality traits;
    QRandomGenerator header_bytes{47};
    QByteArray pending;
    Session session = Session::Closed;
    int sessions = 0; // Connects accepted so far
    bool stalled = false;
    bool gone = false;
    bool end_received = false;
    bool leave_received = false;
    QList<int> written;
    QList<QByteArray> power;
};

} // namespace r7k::sim
