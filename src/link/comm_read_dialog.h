#pragma once

#include "core/image_history.h"
#include "link/transfer_dialog.h"

#include <optional>

namespace r7k {

// Form_Comm_Read: reads the radio's memory into the image. A read is one step
// of the image's history, from the user's Read to the image it brings.
class Form_Comm_Read final : public Transfer_dialog {
    Q_OBJECT
public:
    Form_Comm_Read(QWidget *parent, Window_host &window_host,
                   Link_parts link_parts = System_link_parts());

    void transfer_starting() override;
    void back_up_image(const Data_image &image) override;
    void failed() override;

private:
    std::optional<Image_step> step;
};

} // namespace r7k
