#include "link/comm_read_dialog.h"

#include "core/globals.h"
#include "link/read_engine.h"

namespace r7k {

namespace {
// The caption of the Read button, and the name of the undo step a read makes.
const Bilingual Read_text{QStringLiteral("读取"), QStringLiteral("Read")};
} // namespace

const Transfer_dialog::Kind Read_kind{
    "Form_Comm_Read",
    {QStringLiteral("从对讲机读取数据"), QStringLiteral("Read Data From Radio")},
    "Command_Read",
    Read_text,
    Engine_on_image<Read_engine>,
};

// The unfinished edits go into the image first, as steps of their own.
void Form_Comm_Read::transfer_starting()
{
    Transfer_dialog::transfer_starting();
    step.emplace(image_history(), Read_text);
}

// A read backs up the image once it has filled it: the read's step ends there.
void Form_Comm_Read::back_up_image(const Data_image &image)
{
    Image_origin = {Image_source::Radio, {}};
    step.reset();
    Transfer_dialog::back_up_image(image);
}

// A read that gave up has left the image as it was.
void Form_Comm_Read::failed()
{
    step.reset();
}

} // namespace r7k
