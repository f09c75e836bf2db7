#pragma once

#include "link/read_engine.h"

namespace r7k {

// The image a verification reads the radio back into. It is a base of
// Verify_engine so that it exists before the read engine is given it.
struct Read_back_image {
    Data_image read_back;
};

// Reads the radio back into an image of its own and compares every block a
// write sends with the image that was written; the written image is not
// touched. The outcome is told like the end of a read, as a status line and
// a message.
class Verify_engine final : private Read_back_image, public Read_engine {
public:
    Verify_engine(Serial_line &serial_line, Timer_set &timer_set, Link_listener &reporter,
                  const Data_image &written_image);

    // What the radio holds, once the read-back is complete.
    // The written blocks that the radio holds otherwise, in the order of a
    // write; empty until the read-back is complete.
    const QList<int> &differing_blocks() const { return differing; }

protected:
    void report_done() override;

private:
    const Data_image &written;
    QList<int> differing;
};

} // namespace r7k
