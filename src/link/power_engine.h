#pragma once

#include "link/link_engine.h"

namespace r7k {

// Live transmit power adjustment: connects as the dialog opens, takes the
// three levels that follow the identifier in the radio's reply, and sends
// image row 240 as a power frame after every change while the radio is
// identified.
class Power_engine final : public Link_engine {
public:
    static constexpr int Watchdog_ms = 500;
    // How long the radio may take to identify itself before the dialog gives
    // up. The reply time-out closes the port one second after the connect
    // command when the radio stays silent, so a silent radio still closes
    // the dialog at the next watchdog check; a radio that answers late
    // within that time (a slow USB adapter, a radio still waking up) is not
    // cut off.
    static constexpr int Identify_wait_ms = 2000;

    using Link_engine::Link_engine;
    ~Power_engine() override;

    void opened() override;
    void shut_down() override;

    // A scroll bar moved: level 0 low, 1 mid, 2 high.
    void set_level(int index, int value);
    // Ends the link: the Leave byte when the port is open, then the port
    // closes.
    void leave();

protected:
    QByteArray connect_command() const override;
    void prepare_attempt() override;
    void handshake_received() override;
    void identified_radio() override;
    void transfer_received() override;
    void close_timer_fired() override;

private:
    void send_frame();

    int watchdog_checks = 0;
    bool awaiting_ack = false; // a power frame has not been acknowledged yet
    int reply_bytes = 0;       // of the identification reply, gathered in rx_buf
};

} // namespace r7k
