#include "link/comm_verify_dialog.h"

#include "link/verify_engine.h"

namespace r7k {

namespace {

const Bilingual Caption{QStringLiteral("校验对讲机数据"), QStringLiteral("Verify Radio Data")};
const Bilingual Verify_text{QStringLiteral("校验"), QStringLiteral("Verify")};

} // namespace

Form_Comm_Verify::Form_Comm_Verify(QWidget *parent, Window_host &window_host, Link_parts link_parts)
    : Transfer_dialog(parent, window_host,
                      {"Form_Comm_Verify", Caption, "Command_Verify", Verify_text,
                       [](Serial_line &line, Timer_set &timers, Link_listener &listener) {
                           return std::make_unique<Verify_engine>(line, timers, listener, chann);
                       }},
                      std::move(link_parts))
{}

} // namespace r7k
