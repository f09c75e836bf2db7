#pragma once

#include "core/bilingual.h"
#include "core/image.h"
#include "link/link_failure.h"

#include <QString>

namespace r7k {

// What a link engine reports to the dialog that runs it; the engines show
// nothing themselves.
class Link_listener {
public:
    virtual ~Link_listener() = default;

    // Progress bar value 0..100.
    virtual void show_progress(int value) = 0;
    // The dialog's status line.
    virtual void show_status(const Bilingual &text) = 0;
    // A message box; returns once the user has dismissed it.
    virtual void show_message(const Bilingual &text, const Bilingual &title,
                              const QString &details) = 0;
    // The link has finished with the dialog: it closes itself.
    virtual void finished() = 0;
    // A start ended without a transfer and nothing further will happen: the
    // port could not be opened, the radio did not answer the last retry, or
    // there was nothing to write. The message shown before says why.
    virtual void failed() {}
    // The radio let the last attempt down and no retry is left: how that
    // attempt ended. The failure message follows.
    virtual void radio_failed(const Link_failure &) {}
    // The radio reported its transmit power levels (image row 240).
    virtual void levels_received() {}
    // The radio acknowledged the last power frame, or the link ended while
    // the frame waited for its acknowledgement.
    virtual void power_frame_answered(bool acknowledged) { Q_UNUSED(acknowledged); }
    // The user started a transfer and it was not refused: whatever the
    // transfer sends or replaces must be in the image now.
    virtual void transfer_starting() {}
    // A write has completed: `status` is what the status line says, which
    // the main window keeps after the dialog has closed.
    virtual void transfer_done(const Bilingual &status) { Q_UNUSED(status); }
    // A read has just filled the image, or a write is about to send it to an
    // identified radio: the moment to keep a copy of it.
    virtual void back_up_image(const Data_image &) {}
};

} // namespace r7k
