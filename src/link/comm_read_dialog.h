#pragma once

#include "link/transfer_dialog.h"

namespace r7k {

// Form_Comm_Read: reads the radio's memory into the image.
class Form_Comm_Read final : public Transfer_dialog {
    Q_OBJECT
public:
    Form_Comm_Read(QWidget *parent, Window_host &window_host,
                   Link_parts link_parts = System_link_parts());
};

} // namespace r7k
