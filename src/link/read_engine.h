#pragma once

#include "link/link_engine.h"

namespace r7k {

// Reads the radio's memory: blocks 1..128, 131, 140 and 144..272 into
// Comm_buf, then rows 1..254 into the image, only once every block came.
class Read_engine final : public Transfer_engine {
public:
    static constexpr int Close_check_ms = 200;

    using Transfer_engine::Transfer_engine;

    void opened() override;
    void start() override;

protected:
    void prepare_attempt() override;
    void identified_radio() override;
    void transfer_received() override;

private:
    void request_block(int block);
    void complete();
};

} // namespace r7k
