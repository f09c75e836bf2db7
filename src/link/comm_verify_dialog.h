#pragma once

#include "link/transfer_dialog.h"

namespace r7k {

// Form_Comm_Verify: reads the radio back into an image of its own and tells
// whether it holds the program's image; the program's image is not touched.
class Form_Comm_Verify final : public Transfer_dialog {
    Q_OBJECT
public:
    Form_Comm_Verify(QWidget *parent, Window_host &window_host,
                     Link_parts link_parts = System_link_parts());
};

} // namespace r7k
