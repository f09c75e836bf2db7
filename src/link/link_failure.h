#pragma once

#include "core/bilingual.h"

#include <QByteArray>

namespace r7k {

// How the last attempt at a transfer ended when the radio let it down: the
// facts a user needs to find the cause. The windows show them under the
// failure message, the command line in its failure line; both take the
// wording from here.
struct Link_failure {
    enum class Stage {
        Connect,  // nothing came back to Connect
        Identify, // Connect was answered, the identification did not come or was another
        Transfer, // the radio was identified, then a reply did not come
    };
    Stage stage = Stage::Connect;
    QByteArray identity; // Identify: what came instead of the identifier, if anything
    int block = 0;       // Transfer: the block whose reply did not come; 0 for Start
    int position = 0;    // its place in the transfer, the first block 1
    int blocks = 0;      // how many blocks the transfer has

    // What happened, as one clause: "the radio stopped answering at block 40
    // of 259".
    Bilingual what_happened() const;
    // What happened and what to check, for the details of the failure
    // message; `port_no` is the port the transfer used.
    Bilingual details(int port_no) const;
};

} // namespace r7k
