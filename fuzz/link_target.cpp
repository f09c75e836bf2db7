// Fuzz target: the read, write and power engines against the simulated radio
// in virtual time, with the user, the message boxes and the serial line
// driven by the input.

#include "link_session.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Fuzz_input input(data, size);
    Link_session(input).run();
    return 0;
}
