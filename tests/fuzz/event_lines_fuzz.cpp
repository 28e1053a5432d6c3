// Arbitrary text-protocol data: lines, chunks, the friend notice and the event processor.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_bot.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    morva::testing::FuzzBot fuzz(false);
    const std::string bytes(morva::testing::Bytes(data, size));
    fuzz.sockets.made[0]->receive(bytes.substr(0, size / 3));
    fuzz.sockets.made[0]->receive(bytes.substr(size / 3));
    fuzz.clock.advance(20000);
    fuzz.checkMembers();
    return 0;
}
