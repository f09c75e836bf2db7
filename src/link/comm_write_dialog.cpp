#include "link/comm_write_dialog.h"

#include "link/write_engine.h"

namespace r7k {

const Transfer_dialog::Kind Write_kind{
    "Form_Comm_Write",
    {QStringLiteral("写数据到对讲机"), QStringLiteral("Write Data to Radio")},
    "Command_Write",
    {QStringLiteral("写入"), QStringLiteral("Write")},
    Engine_on_image<Write_engine>,
};

} // namespace r7k
