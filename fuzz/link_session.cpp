#include "link_session.h"

#include "core/globals.h"
#include "fuzz_check.h"
#include "image_rows.h"
#include "link/read_engine.h"
#include "link/write_engine.h"

#include <utility>

using namespace r7k;

namespace {

// How much a user does in one run: enough for a few whole transfers with
// their retries, and little enough that a run takes milliseconds.
constexpr int Max_user_steps = 400;
constexpr qint64 Max_user_ms = 180'000;
// Longer than the longest transfer with every retry: after it a link that
// the user left alone must have come to an end.
constexpr int Settle_ms = 120'000;
constexpr int Settle_slice_ms = 1000;
// Boxes that a box's event loop opens in turn; a link that keeps opening
// them would stack them without end.
constexpr int Max_boxes_up = 8;

// The last row that a read always copies into the image.
constexpr int Last_read_row = 254;

const QString Read_complete = QStringLiteral("Complete reading the data from transceiver.");
const QString Write_complete = QStringLiteral("Complete writing Data ");

// The start of every run of the engines, which work on the program's image.
const Data_image &start_image()
{
    static const Data_image start = [] {
        Reset_image();
        Load_default_image();
        return chann;
    }();
    return start;
}

// The radio as it comes: its demo memory, no faults of its own.
const sim::Radio &factory_radio()
{
    static const sim::Radio radio;
    return radio;
}

bool same_row(const Data_image &a, const Data_image &b, int row)
{
    return cells(row, 0, Data_image::columns - 1, a) == cells(row, 0, Data_image::columns - 1, b);
}

bool read_block(int block)
{
    return (block >= 1 && block <= 128) || block == Vfo_row || block == Settings_row ||
           (block >= First_name_row && block <= Link_engine::Last_block);
}

} // namespace

// A read, write or power dialog: its line, timers and engine, what the user
// sees of it, and what the checks remember.
struct Link_session::Dialog {
    Dialog(Link_session &session, Kind dialog_kind)
        : kind(dialog_kind), clock(session.clock), line(session.clock, session.radio, log),
          timers(session.clock), image_at_open(chann)
    {
        log.refuse_open = session.cable_pulled ? QStringLiteral("cable pulled") : QString();
        line.carry = [&session, this](const QByteArray &answer) { session.carry(line, answer); };
        // The engines as the dialogs make them.
        if (dialog_kind == Kind::Read)
            engine = std::make_unique<Read_engine>(line, timers, session, chann);
        else if (dialog_kind == Kind::Write)
            engine = std::make_unique<Write_engine>(line, timers, session, chann);
        else
            engine = std::make_unique<Power_engine>(line, timers, session, chann);
    }

    // A close posted to a dialog dies with it.
    ~Dialog() { clock.cancel(posted_close); }
    Dialog(const Dialog &) = delete;
    Dialog &operator=(const Dialog &) = delete;

    Transfer_engine &transfer() { return static_cast<Transfer_engine &>(*engine); }
    Power_engine &power() { return static_cast<Power_engine &>(*engine); }

    Kind kind;
    Fake_clock &clock;
    Wire_log log;
    Fake_line line;
    Fake_timer_set timers;
    // Declared last, so destroyed first, while its line and timers exist.
    std::unique_ptr<Link_engine> engine;

    std::array<int, 3> bars{};      // the power dialog's scroll bars
    bool closing = false;           // in its close event
    bool closed = false;            // hidden, and deleted once no box is up
    bool close_after_boxes = false; // the link finished under a box of the dialog's
    int posted_close = -1;          // the clock's action that closes it, or -1
    Data_image image_at_open;       // or at the last completed read
    int opens_at_start = 0;         // the line's opens when the user last started a transfer
};

Link_session::Link_session(Fuzz_input &choices) : input(choices), radio(factory_radio())
{
    chann = start_image();
    Port_no = 1;
    Port_error = false;
}

Link_session::~Link_session() = default;

void Link_session::run()
{
    for (int step = 0; step < Max_user_steps && clock.now() < Max_user_ms && !input.used_up();
         ++step) {
        user_step();
        clock.advance(0); // what the step posted runs before the user's next step
        dispose_closed_dialog();
        check();
    }
    // The user stops. Whatever runs must come to an end by itself; then the
    // user closes the dialog.
    pass(Settle_ms, Settle_slice_ms);
    if (dialog) {
        FUZZ_CHECK(!dialog->engine->link_busy,
                   "the link is still busy long after the user stopped");
        close_dialog();
        dispose_closed_dialog();
        FUZZ_CHECK(!dialog, "an idle dialog did not close");
    }
    check();
}

void Link_session::user_step()
{
    switch (input.below(8)) {
    case 0:
        pass(input.duration_ms());
        break;
    case 1:
        // The dialogs are modal: a new one opens only when none is open.
        if (!dialog)
            open_dialog(Kind(input.below(3)));
        break;
    case 2:
        press_action();
        break;
    case 3: // Cancel or Close
    case 4: // Escape, or the window's close box
        close_dialog();
        break;
    case 5: {
        const int index = input.below(3);
        move_bar(index, input.byte());
        break;
    }
    case 6:
        cable_pulled = !cable_pulled;
        if (dialog)
            dialog->log.refuse_open = cable_pulled ? QStringLiteral("cable pulled") : QString();
        break;
    default:
        pass(Settle_slice_ms);
        break;
    }
}

void Link_session::open_dialog(Kind kind)
{
    dialog = std::make_unique<Dialog>(*this, kind);
    dialog->engine->opened();
}

// Read or Write. A click while a transfer runs is refused and starts nothing.
void Link_session::press_action()
{
    if (!dialog || dialog->closed || dialog->kind == Kind::Power)
        return;
    dialog->transfer().start();
}

// The engine took the click: the connects of this start count from here.
void Link_session::transfer_starting()
{
    dialog->opens_at_start = dialog->log.opens;
}

void Link_session::move_bar(int index, int value)
{
    if (!dialog || dialog->closed || dialog->kind != Kind::Power || dialog->bars[index] == value)
        return;
    dialog->bars[index] = value;
    dialog->power().set_level(index, value);
}

// Whatever closes the dialog ends in its close event: the read and write
// dialogs refuse while a transfer runs, telling the user; the power dialog
// leaves the radio. A close asked for during the close event, from the event
// loop of its box, is dropped, as the toolkit does. A closed dialog goes
// away once control is back in the main event loop with no box up.
void Link_session::close_dialog()
{
    if (!dialog || dialog->closed || dialog->closing)
        return;
    Dialog &d = *dialog;
    d.closing = true;
    const bool accepted = d.kind == Kind::Power || d.transfer().may_close();
    d.closing = false;
    if (!accepted)
        return;
    if (d.kind == Kind::Power)
        d.power().leave();
    else
        d.engine->shut_down();
    d.closed = true;
}

// The close a dialog posts to itself: it runs from the next event loop that
// turns, the main one or that of a box shown meanwhile.
void Link_session::post_close()
{
    clock.cancel(dialog->posted_close);
    dialog->posted_close = clock.call_at(clock.now(), [this] {
        dialog->posted_close = -1;
        close_dialog();
    });
}

void Link_session::dispose_closed_dialog()
{
    if (boxes_up > 0 || !dialog || !dialog->closed)
        return;
    FUZZ_CHECK(!dialog->line.is_open(), "a port is left open after its dialog went away");
    for (int timer = 0; timer < Link_timer_count; ++timer)
        FUZZ_CHECK(!dialog->timers.is_active(Link_timer(timer)),
                   "a timer runs on after its dialog went away");
    dialog.reset();
}

// Time passes in the main event loop; the checks run between its events.
void Link_session::pass(int ms, int slice_ms)
{
    if (!dialog) { // nothing runs
        clock.advance(ms);
        return;
    }
    for (int left = ms; left > 0; left -= slice_ms) {
        clock.advance(qMin(left, slice_ms));
        dispose_closed_dialog();
        check();
    }
}

// How an answer of the radio travels back: the choices for the wire come
// from the back of the input, those of the user from its front.
void Link_session::carry(Fake_line &line, const QByteArray &answer)
{
    constexpr Fuzz_input::End wire = Fuzz_input::Back;
    const int size = int(answer.size());
    switch (input.below(8, wire)) {
    case 0:
        line.arrive(answer);
        break;
    case 1: // late
        line.arrive(answer, input.duration_ms(wire));
        break;
    case 2: { // split, with a gap
        const int cut = 1 + input.below(size, wire);
        line.arrive(answer.left(cut));
        line.arrive(answer.mid(cut), input.duration_ms(wire));
        break;
    }
    case 3: // not at all
        break;
    case 4: // cut short
        line.arrive(answer.left(input.below(size, wire)));
        break;
    case 5: // other bytes of the same length
        content_kept = false;
        line.arrive(input.bytes(size, wire));
        break;
    case 6: // twice
        content_kept = false;
        line.arrive(answer + answer);
        break;
    default:
        line.lose();
        break;
    }
}

void Link_session::show_progress(int value)
{
    FUZZ_CHECK(value >= 0 && value <= 100, "progress outside 0..100");
}

void Link_session::show_status(const Bilingual &text)
{
    if (text.english == Write_complete)
        check_write();
}

// The box runs its own event loop while it is up: the link's timers and the
// serial line go on, and the dialog may try to close meanwhile.
void Link_session::show_message(const Bilingual &text, const Bilingual &, const QString &)
{
    if (dialog && dialog->kind == Kind::Read && text.english == Read_complete) {
        check_read(*dialog);
        dialog->image_at_open = chann;
    }
    FUZZ_CHECK(boxes_up < Max_boxes_up, "message boxes pile up");
    ++boxes_up;
    clock.advance(input.duration_ms());
    // The code that showed the box goes on after it: a close that waited
    // for the box comes later.
    if (--boxes_up == 0 && dialog && std::exchange(dialog->close_after_boxes, false))
        post_close();
}

// The link is done with the dialog, which closes, though not under a box of
// its own: then it closes once the last one has returned.
void Link_session::finished()
{
    if (boxes_up > 0)
        dialog->close_after_boxes = true;
    else
        close_dialog();
}

// The dialog shows the levels on its bars; a bar that moves stores its value.
void Link_session::levels_received()
{
    for (int index = 0; index < 3; ++index)
        move_bar(index, chann(Power_row, index));
}

void Link_session::check()
{
    const Data_image &now = chann;
    if (now != checked_image) {
        for (int row = 0; row < Data_image::rows; ++row)
            for (int column = 0; column < Data_image::columns; ++column)
                FUZZ_CHECK(now(row, column) >= 0 && now(row, column) <= 255,
                           "an image cell is not a byte");
        checked_image = now;
    }
    if (!dialog || dialog->closed)
        return;
    const Dialog &d = *dialog;
    const Link_engine &engine = *d.engine;
    const bool ending = d.timers.is_active(Link_timer::Timer1) ||
                        d.timers.is_active(Link_timer::Timer2) ||
                        d.timers.is_active(Link_timer::Timer3);
    FUZZ_CHECK(!engine.link_busy || ending, "a busy link has no timer left to end it");
    FUZZ_CHECK(d.log.opens - d.opens_at_start <= 1 + Link_engine::Retries,
               "more than four connects for one start");
    if (d.kind == Kind::Read) {
        FUZZ_CHECK(now == d.image_at_open, "a read that did not complete changed the image");
        return;
    }
    Data_image other_rows = now;
    for (int row : {Radio_id_row, Power_row})
        for (int column = 0; column < Data_image::columns; ++column)
            other_rows(row, column) = d.image_at_open(row, column);
    FUZZ_CHECK(other_rows == d.image_at_open,
               "a write or power session changed a row other than 139 and 240");
    if (d.kind == Kind::Power)
        check_power();
}

// A completed read brings every block it fetched, and changes only the rows
// that a read fills: the rows of blocks 1..254, and perhaps the names that
// follow them, with the radio's bytes.
void Link_session::check_read(const Dialog &d) const
{
    const Data_image &now = chann;
    for (int row = 0; row < Data_image::rows; ++row) {
        if (row == 0 || row >= Link_engine::Last_block)
            FUZZ_CHECK(same_row(now, d.image_at_open, row),
                       "a read changed a row it does not fill");
        else if (content_kept && read_block(row) && row <= Last_read_row)
            FUZZ_CHECK(same_as_radio(row), "a completed read brought wrong data");
        else if (content_kept && read_block(row))
            FUZZ_CHECK(same_as_radio(row) || same_row(now, d.image_at_open, row),
                       "a completed read brought a wrong name");
    }
}

// A completed write leaves the radio holding the image.
void Link_session::check_write() const
{
    if (!content_kept)
        return;
    for (int block = 1; block < Link_engine::Last_block; ++block)
        if (read_block(block))
            FUZZ_CHECK(same_as_radio(block), "a completed write left other data in the radio");
}

// Once the radio has acknowledged the last power frame, it holds row 240.
void Link_session::check_power() const
{
    const Dialog &d = *dialog;
    const Link_engine &engine = *d.engine;
    const bool acknowledged = engine.identified && d.line.is_open() && !engine.link_busy &&
                              !d.timers.is_active(Link_timer::Timer1) &&
                              !d.timers.is_active(Link_timer::Timer2);
    if (content_kept && acknowledged)
        FUZZ_CHECK(same_as_radio(Power_row),
                   "an acknowledged power frame left other levels in the radio");
}

// Columns 0..15 of an image row hold what the radio holds in that block.
bool Link_session::same_as_radio(int row) const
{
    return cells(row, 0, Block_bytes - 1) == cells(row, 0, Block_bytes - 1, radio);
}
