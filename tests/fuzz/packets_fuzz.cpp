// Arbitrary bytes from a binary-protocol server: framing, the packet handler, chat events and
// everything they set off.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_bot.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    morva::testing::FuzzBot fuzz(true);
    const std::string bytes(morva::testing::Bytes(data, size));
    // Cut the input in two reads so packets also straddle them.
    fuzz.sockets.made[0]->receive(bytes.substr(0, size / 2));
    fuzz.sockets.made[0]->receive(bytes.substr(size / 2));
    fuzz.clock.advance(20000);
    fuzz.checkMembers();
    return 0;
}
