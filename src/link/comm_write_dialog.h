#pragma once

#include "link/transfer_dialog.h"

namespace r7k {

extern const Transfer_dialog::Kind Write_kind;

// Form_Comm_Write: writes the image to the radio.
class Form_Comm_Write final : public Transfer_dialog_of<Write_kind> {
    Q_OBJECT
public:
    using Transfer_dialog_of::Transfer_dialog_of;
};

} // namespace r7k
