#include "sim/radio.h"

#include "core/image.h"
#include "link/protocol.h"
#include "sim/demo_memory.h"

namespace r7k::sim {

namespace {

using namespace r7k::Protocol;

constexpr int Read_frame = 8;   // "AT^R", hi, lo, length, CR
constexpr int Write_frame = 24; // "AT^W", hi, lo, length, 16 bytes, CR
constexpr int Short_frame = 5;  // "AT^", code, CR
constexpr int Connect_frame = 12;
constexpr int Power_connect_frame = 15;
constexpr int Power_frame = 21;
constexpr int Header = 4; // of a read reply
constexpr char Prefix_first = 'A';
constexpr char Power_first = Ack;

// Another model of the same maker: passes no identity check of the program.
const QByteArray Other_identity = QByteArrayLiteral("ZRQ-58");
// Seven bytes of line noise; none of them is an ACK.
const QByteArray Noise = QByteArrayLiteral("\x55\xAA\x15\x00\xFF\x7E\x31");
const QByteArray Power_header = QByteArrayLiteral("\x06g\x0F\x00\x10");

int block_of(char hi, char lo, bool &aligned)
{
    const int address = quint8(hi) << 8 | quint8(lo);
    aligned = address % Radio::Block_size == 0;
    return address / Radio::Block_size;
}

// True when the bytes at hand are a beginning of `expected`.
bool may_start(const QByteArray &bytes, const QByteArray &expected)
{
    const qsizetype n = qMin(bytes.size(), expected.size());
    return bytes.left(n) == expected.left(n);
}

} // namespace

QList<QByteArray> Pieces_of(const QByteArray &reply, int count)
{
    QList<QByteArray> pieces;
    const qsizetype n = qMin<qsizetype>(qMax(count, 1), reply.size());
    for (qsizetype i = 0, from = 0; i < n; ++i) {
        const qsizetype to = reply.size() * (i + 1) / n;
        pieces.append(reply.mid(from, to - from));
        from = to;
    }
    return pieces;
}

Radio::Radio()
{
    memory.fill(255);
    Data_image demo;
    Reset_image(demo);
    Fill_demo_image(demo);
    take_file_blocks(demo);
}

void Radio::set_faults(const Faults &new_faults)
{
    faults = new_faults;
}

void Radio::set_personality(const Personality &personality)
{
    traits = personality;
    for (int level = 0; level < traits.levels.size(); ++level)
        set_byte(Power_row, level, traits.levels[level]);
}

int Radio::byte(int block, int column) const
{
    Q_ASSERT(block >= 0 && block < Block_count && column >= 0 && column < Block_size);
    return memory[block * Block_size + column];
}

void Radio::set_byte(int block, int column, int value)
{
    Q_ASSERT(block >= 0 && block < Block_count && column >= 0 && column < Block_size);
    Q_ASSERT(value >= 0 && value <= 255);
    memory[block * Block_size + column] = quint8(value);
}

void Radio::take_file_blocks(const Data_image &image)
{
    for (int block = 0; block < Channel_file::Rows; ++block)
        for (int column = 0; column < Block_size; ++column)
            set_byte(block, column, image(block, column));
}

Channel_file::Outcome Radio::load(const QString &chann_path)
{
    Data_image image;
    const Channel_file::Outcome outcome = Channel_file::Load(chann_path, image);
    if (outcome.ok)
        take_file_blocks(image);
    return outcome;
}

Channel_file::Outcome Radio::save(const QString &chann_path) const
{
    Data_image image;
    for (int block = 0; block < Channel_file::Rows; ++block)
        for (int column = 0; column < Block_size; ++column)
            image(block, column) = qint16(byte(block, column));
    return Channel_file::Save(chann_path, image);
}

QByteArray Radio::receive(const QByteArray &bytes)
{
    if (gone)
        return {};
    pending += bytes;
    QByteArray reply;
    while (!pending.isEmpty() && !gone) {
        const Parse parse = take_command(reply);
        if (parse == Parse::Need_more)
            break;
        if (parse == Parse::Not_a_command)
            pending.remove(0, 1);
    }
    if (gone || stalled || (faults.no_answer && fault_active()))
        return {};
    return reply;
}

Radio::Parse Radio::take_command(QByteArray &reply)
{
    switch (pending[0]) {
    case End_byte:
        pending.remove(0, 1);
        close_session();
        end_received = true;
        return Parse::Consumed;
    case Leave_byte:
        pending.remove(0, 1);
        close_session();
        leave_received = true;
        return Parse::Consumed;
    case Power_first:
        return take_power_frame(reply);
    case Prefix_first:
        return take_prefixed(reply);
    default:
        return Parse::Not_a_command;
    }
}

Radio::Parse Radio::take_prefixed(QByteArray &reply)
{
    if (!may_start(pending, Prefix))
        return Parse::Not_a_command;
    if (pending.size() <= Prefix.size())
        return Parse::Need_more;
    const char code = pending[Prefix.size()];
    if (code == Read_code || code == Write_code)
        return take_block(code, reply);
    if (code != Identify_code && code != Start_code)
        return take_access(reply);

    if (pending.size() < Short_frame)
        return Parse::Need_more;
    if (pending[Short_frame - 1] != Cr)
        return Parse::Not_a_command;
    pending.remove(0, Short_frame);
    if (code == Identify_code && session == Session::Connected) {
        reply += identity() + traits.identity_tail;
        if (!(faults.wrong_identity && fault_active()))
            session = Session::Identified;
    } else if (code == Start_code && session == Session::Identified) {
        reply += traits.start_reply;
        session = Session::Started;
    }
    return Parse::Consumed;
}

Radio::Parse Radio::take_access(QByteArray &reply)
{
    if (pending.size() < Connect_frame)
        return Parse::Need_more;
    const bool word_right = pending.mid(Prefix.size(), Access_word.size()) == Access_word;
    if (pending[Connect_frame - 1] == Cr) {
        pending.remove(0, Connect_frame);
        if (word_right) {
            open_session(Session::Connected);
            reply += traits.connect_reply;
        }
        return Parse::Consumed;
    }
    // Connect and Identify in one, without CRs, as the power adjustment sends it.
    const QByteArray identify_tail = Prefix + Identify_code;
    if (!may_start(pending.mid(Connect_frame - 1), identify_tail))
        return Parse::Not_a_command;
    if (pending.size() < Power_connect_frame)
        return Parse::Need_more;
    pending.remove(0, Power_connect_frame);
    if (!word_right)
        return Parse::Consumed;
    open_session(Session::Power);
    reply += traits.power_lead + identity();
    if (faults.wrong_identity && fault_active())
        session = Session::Connected;
    for (int column = 0; column < 3; ++column)
        reply += char(byte(Power_row, column));
    reply += traits.power_tail;
    return Parse::Consumed;
}

Radio::Parse Radio::take_block(char code, QByteArray &reply)
{
    const int frame = code == Read_code ? Read_frame : Write_frame;
    if (pending.size() < frame)
        return Parse::Need_more;
    if (pending[6] != Block_length || pending[frame - 1] != Cr)
        return Parse::Not_a_command;
    bool aligned = false;
    const int block = block_of(pending[4], pending[5], aligned);
    const QByteArray data = pending.mid(7, Block_size);
    pending.remove(0, frame);
    if (session != Session::Started || !aligned || block >= Block_count)
        return Parse::Consumed;

    if (strike(block, reply))
        return Parse::Consumed;
    if (code == Write_code) {
        // A failing memory cell: every bit of the block flips, yet the
        // block is acknowledged as stored.
        const quint8 flip = fault_at(faults.corrupt_at, block) ? 0xFF : 0x00;
        for (int column = 0; column < Block_size; ++column)
            set_byte(block, column, quint8(data[column]) ^ flip);
        written.append(block);
        reply += Ack;
        return Parse::Consumed;
    }
    QByteArray answer = read_header(block);
    for (int column = 0; column < Block_size; ++column)
        answer += char(byte(block, column));
    Q_ASSERT(answer.size() == Header + Block_size);
    if (fault_at(faults.short_reply_at, block))
        answer.chop(1);
    reply += answer;
    return Parse::Consumed;
}

Radio::Parse Radio::take_power_frame(QByteArray &reply)
{
    if (!may_start(pending, Power_header))
        return Parse::Not_a_command;
    if (pending.size() < Power_frame)
        return Parse::Need_more;
    const QByteArray data = pending.mid(Power_header.size(), Block_size);
    pending.remove(0, Power_frame);
    if (session != Session::Power || strike(Power_row, reply))
        return Parse::Consumed;
    for (int column = 0; column < Block_size; ++column)
        set_byte(Power_row, column, quint8(data[column]));
    power.append(data);
    reply += Ack;
    return Parse::Consumed;
}

bool Radio::strike(int block, QByteArray &reply)
{
    if (fault_at(faults.hang_up_at, block)) {
        gone = true;
        pending.clear();
        return true;
    }
    if (fault_at(faults.stall_at, block))
        stalled = true;
    if (fault_at(faults.noise_at, block)) {
        reply += Noise;
        return true;
    }
    return false;
}

bool Radio::come_back()
{
    if (gone && faults.once) {
        gone = false;
        close_session();
    }
    return !gone;
}

void Radio::open_session(Session kind)
{
    ++sessions;
    session = kind;
    stalled = false;
    end_received = false;
    leave_received = false;
}

void Radio::close_session()
{
    session = Session::Closed;
}

bool Radio::fault_active() const
{
    return !faults.once || sessions <= 1;
}

bool Radio::fault_at(int fault_block, int block) const
{
    return fault_block == block && fault_active();
}

QByteArray Radio::read_header(int block)
{
    switch (traits.header) {
    case Personality::Header::Echo:
        break;
    case Personality::Header::Fixed:
        return traits.fixed_header;
    case Personality::Header::Random: {
        QByteArray header(Header, '\0');
        for (char &byte : header)
            byte = char(header_bytes.bounded(256));
        return header;
    }
    }
    return QByteArray(1, Read_code) + char(block * Block_size >> 8) +
           char(block * Block_size & 0xFF) + Block_length;
}

QByteArray Radio::identity() const
{
    return faults.wrong_identity && fault_active() ? Other_identity : Radio_id;
}

} // namespace r7k::sim
