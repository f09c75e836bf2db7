#include "link/comm_write_dialog.h"

#include "link/write_engine.h"

namespace r7k {

namespace {

const Bilingual Caption{QStringLiteral("写数据到对讲机"), QStringLiteral("Write Data to Radio")};
const Bilingual Write_text{QStringLiteral("写入"), QStringLiteral("Write")};

} // namespace

Form_Comm_Write::Form_Comm_Write(QWidget *parent, Window_host &window_host, Link_parts link_parts)
    : Transfer_dialog(parent, window_host,
                      {"Form_Comm_Write", Caption, "Command_Write", Write_text,
                       [](Serial_line &line, Timer_set &timers, Link_listener &listener) {
                           return std::make_unique<Write_engine>(line, timers, listener, chann);
                       }},
                      std::move(link_parts))
{}

} // namespace r7k
