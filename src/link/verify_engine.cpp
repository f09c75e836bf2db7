#include "link/verify_engine.h"

#include "link/verification.h"

namespace r7k {

namespace {

const Bilingual Verified_status{QStringLiteral("数据校验完毕 ！"),
                                QStringLiteral("Verifying data completed. ")};

} // namespace

Verify_engine::Verify_engine(Serial_line &serial_line, Timer_set &timer_set,
                             Link_listener &reporter, const Data_image &written_image)
    : Read_engine(serial_line, timer_set, reporter, read_back), written(written_image)
{}

void Verify_engine::report_done()
{
    differing = Verification::Differing_blocks(written, read_back);
    listener.show_status(Verified_status);
    listener.show_message(Verification::Outcome_text(differing), Operate_prompt(), {});
}

} // namespace r7k
