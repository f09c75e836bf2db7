#pragma once

#include "link/link_dialog.h"
#include "link/power_engine.h"

#include <array>
#include <memory>

class QLabel;
class QScrollBar;

namespace r7k {

// Form_Adjust_Txp: the radio's three transmit power levels, adjusted live.
// It connects as it opens and lives only while the link is up.
class Form_Adjust_Txp final : public Link_dialog {
    Q_OBJECT
public:
    explicit Form_Adjust_Txp(QWidget *parent, Link_parts link_parts = System_link_parts());

    Power_engine &engine() { return *link; }

    void show_status(const Bilingual &) override {} // the dialog has no status line
    void levels_received() override;
    void power_frame_answered(bool acknowledged) override;
    bool busy() const override { return false; } // adjusting levels is no transfer
    void end_link() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Power_engine> link;
    std::array<QScrollBar *, 3> bars{};
    std::array<QLabel *, 3> values{};
    QLabel *sent; // what the radio acknowledged last
};

} // namespace r7k
