#include "link/write_engine.h"

#include "core/conversions.h"
#include "core/image.h"
#include "link/commands.h"
#include "link/protocol.h"

namespace r7k {

namespace {

const Bilingual No_channel{QStringLiteral("信道参数不能为空"),
                           QStringLiteral("Please input the frequency in channel ")};
const Bilingual Write_done_status{QStringLiteral("数据写入完毕 ！"),
                                  QStringLiteral("Complete writing Data ")};

Bilingual writing_status(int block)
{
    const QString k = QString::number(block);
    return {QStringLiteral("正在写入  ") + k + QStringLiteral("  数据块"),
            QStringLiteral("Writing  ") + k + QStringLiteral("  Data Block")};
}

} // namespace

QList<int> Write_engine::Blocks()
{
    // Block 272 is read but never written.
    return Transfer_blocks(Last_block - 1);
}

Write_engine::~Write_engine()
{
    end_session();
}

void Write_engine::shut_down()
{
    end_session();
    Link_engine::shut_down();
}

// A write cut off midway tells the radio it is over, so that it does not
// stay in programming mode.
void Write_engine::end_session()
{
    if (link_busy && line.is_open())
        line.write(QByteArray(1, Protocol::End_byte));
}

void Write_engine::start_transfer()
{
    if (Find_first_used_channel(image) == 255) {
        listener.show_message(No_channel, Operate_prompt(), {});
        listener.failed();
        return;
    }
    Put_radio_id_row(image);
    connect_afresh();
}

void Write_engine::prepare_attempt()
{
    block_no = 0;
    last_block = Last_block;
}

void Write_engine::identified_radio()
{
    listener.back_up_image(image);
    block_no = 1;
    queue_afresh(Command::Start());
}

// Every ACK that arrives after the current frame went out completely
// acknowledges it; block_no is then the block to send next.
void Write_engine::transfer_received()
{
    if (!take_ack())
        return;
    timers.stop(Link_timer::Timer2);
    if (block_no >= last_block) {
        complete();
        return;
    }
    listener.show_progress(block_no * 100 / last_block);
    show_running_status(writing_status(block_no - 1));
    block_no = Remapped(block_no);
    // The reply to Start may carry more than one byte; whatever is left of
    // it must not count as the acknowledgement of the first block.
    queue_afresh(Command::Write_block(image, block_no));
    ++block_no;
}

void Write_engine::complete()
{
    stop_link_timers();
    timers.start(Link_timer::Timer4, Close_delay_ms);
    link_done = true;
    link_busy = false;
    line.write(QByteArray(1, Protocol::End_byte));
    close_port();
    listener.show_status(Write_done_status);
    listener.transfer_done(Write_done_status);
}

} // namespace r7k
