#pragma once

#include "link/transfer_dialog.h"

namespace r7k {

extern const Transfer_dialog::Kind Verify_kind;

// Form_Comm_Verify: reads the radio back into an image of its own and tells
// whether it holds the program's image; the program's image is not touched.
class Form_Comm_Verify final : public Transfer_dialog_of<Verify_kind> {
    Q_OBJECT
public:
    using Transfer_dialog_of::Transfer_dialog_of;
};

} // namespace r7k
