#include "link/read_engine.h"

#include "core/image.h"
#include "link/commands.h"

namespace r7k {

namespace {

const Bilingual Read_done_status{QStringLiteral("数据读出正常 ！"),
                                 QStringLiteral("Read Data in gear. ")};
const Bilingual Read_done_message{QStringLiteral("从对讲机中读取数据完毕 ！"),
                                  QStringLiteral("Complete reading the data from transceiver.")};
const Bilingual Read_done_title{QStringLiteral("操作提示"), QStringLiteral("Operate Prompt")};

Bilingual reading_status(int block)
{
    const QString n = QString::number(block);
    return {QStringLiteral("正在读取 ") + n + QStringLiteral(" 数据块"),
            QStringLiteral("Reading ") + n + QStringLiteral(" Data Block")};
}

constexpr int Reply_bytes = 20;
// The last row a write sends: rows 255..271 hold the names of channels
// 112..128, which a read must keep for the next write. Block 272 stays in
// the reply buffer.
constexpr int Last_image_row = 271;

} // namespace

void Read_engine::opened()
{
    timers.start(Link_timer::Timer4, Close_check_ms);
}

void Read_engine::start_transfer()
{
    connect_afresh();
}

void Read_engine::prepare_attempt()
{
    block_no = 0;
    last_block = Last_block;
}

void Read_engine::identified_radio()
{
    block_no = 0;
    queue_afresh(Command::Start());
}

void Read_engine::transfer_received()
{
    // The reply to Start is at least two bytes and is not looked at; a block
    // reply is 4 header bytes and the 16 bytes of the block.
    const int lim = block_no == 0 ? 1 : Reply_bytes - 1;
    if (line.bytes_waiting() <= lim)
        return;
    timers.stop(Link_timer::Timer2);
    if (block_no == 0) {
        request_block(1);
        line.empty_input();
        return;
    }
    // The four header bytes are the radio's: kept in the reply buffer, never
    // looked at.
    for (int c = 0; c < Reply_bytes; ++c)
        comm_buf(block_no, c) = qint16(line.read_byte());
    line.empty_input();
    if (block_no < last_block)
        request_block(Remapped(block_no + 1));
    else
        complete();
}

void Read_engine::request_block(int block)
{
    block_no = block;
    queue(Command::Read_block(block_no));
    listener.show_progress(block_no * 100 / (last_block + 1));
    show_running_status(reading_status(block_no));
}

QList<int> Read_engine::transfer_blocks() const
{
    return Transfer_blocks(Last_block);
}

void Read_engine::complete()
{
    stop_link_timers();
    link_busy = false;
    close_port();
    for (int r = 1; r <= Last_image_row; ++r)
        for (int c = 0; c < Block_bytes; ++c)
            image(r, c) = comm_buf(r, c + 4);
    listener.back_up_image(image);
    listener.show_progress(100);
    report_done();
    link_done = true;
}

void Read_engine::report_done()
{
    listener.show_status(Read_done_status);
    listener.show_message(Read_done_message, Read_done_title, {});
}

} // namespace r7k
