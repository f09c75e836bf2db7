#pragma once

#include "link/link_engine.h"

namespace r7k {

// Reads the radio's memory: blocks 1..128, 131, 140 and 144..272 into its
// reply buffer, then rows 1..271 into the image, only once every block came.
class Read_engine : public Transfer_engine {
public:
    static constexpr int Close_check_ms = 200;

    using Transfer_engine::Transfer_engine;

    void opened() override;

    // The replies of this read, the reply to block n in row n.
    Reply_buffer comm_buf;

protected:
    void start_transfer() override;
    void prepare_attempt() override;
    void identified_radio() override;
    void transfer_received() override;
    // The image holds the radio's memory now: tells the user.
    virtual void report_done();
    QList<int> transfer_blocks() const override;
    int awaited_block() const override { return block_no; }

private:
    void request_block(int block);
    void complete();
};

} // namespace r7k
