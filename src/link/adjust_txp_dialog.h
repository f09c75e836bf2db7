#pragma once

#include "link/link_parts.h"
#include "link/power_engine.h"

#include <QDialog>
#include <array>
#include <memory>

class QLabel;
class QProgressBar;
class QScrollBar;

namespace r7k {

// Form_Adjust_Txp: the radio's three transmit power levels, adjusted live.
// It connects as it opens and lives only while the link is up.
class Form_Adjust_Txp final : public QDialog, public Link_listener {
    Q_OBJECT
public:
    explicit Form_Adjust_Txp(QWidget *parent, Link_parts parts = System_link_parts());
    ~Form_Adjust_Txp() override;

    Power_engine &engine() { return *link; }

    void show_progress(int value) override;
    void show_status(const Bilingual &) override {} // the dialog has no status line
    void show_message(const Bilingual &text, const Bilingual &title,
                      const QString &details) override;
    void finished() override;
    void levels_received() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    Link_parts parts;
    std::unique_ptr<Power_engine> link;
    std::array<QScrollBar *, 3> bars{};
    std::array<QLabel *, 3> values{};
    QProgressBar *progress;
};

} // namespace r7k
