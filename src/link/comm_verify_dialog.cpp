#include "link/comm_verify_dialog.h"

#include "link/verify_engine.h"

namespace r7k {

const Transfer_dialog::Kind Verify_kind{
    "Form_Comm_Verify",
    {QStringLiteral("校验对讲机数据"), QStringLiteral("Verify Radio Data")},
    "Command_Verify",
    {QStringLiteral("校验"), QStringLiteral("Verify")},
    Engine_on_image<Verify_engine>,
};

} // namespace r7k
