#pragma once

#include "link/link_engine.h"

namespace r7k {

// Writes the image to the radio: blocks 1..128, 131, 140 and 144..271, each
// acknowledged, then the End byte. A write that is stopped midway sends the
// End byte too.
class Write_engine final : public Transfer_engine {
public:
    static constexpr int Close_delay_ms = 500;

    using Transfer_engine::Transfer_engine;
    ~Write_engine() override;

    // The blocks a write sends, in order.
    static QList<int> Blocks();

    void shut_down() override;

protected:
    void start_transfer() override;
    void prepare_attempt() override;
    void identified_radio() override;
    void transfer_received() override;
    QList<int> transfer_blocks() const override { return Blocks(); }
    // block_no is the block to send next.
    int awaited_block() const override { return block_no - 1; }

private:
    void complete();
    void end_session();
};

} // namespace r7k
