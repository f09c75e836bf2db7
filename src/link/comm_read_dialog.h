#pragma once

#include "core/image_history.h"
#include "link/transfer_dialog.h"

#include <optional>

namespace r7k {

// Form_Comm_Read: reads the radio's memory into the image. A read is one step
// of the image's history, from the user's Read to the image it brings.
extern const Transfer_dialog::Kind Read_kind;

class Form_Comm_Read final : public Transfer_dialog_of<Read_kind> {
    Q_OBJECT
public:
    using Transfer_dialog_of::Transfer_dialog_of;

    void transfer_starting() override;
    void back_up_image(const Data_image &image) override;
    void failed() override;

private:
    std::optional<Image_step> step;
};

} // namespace r7k
