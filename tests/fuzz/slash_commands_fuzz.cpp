// The operator's own slash lines with arbitrary words and arguments, logged on as an operator.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_bot.h"
#include "fuzz_input.h"
#include "moderation/commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    morva::testing::FuzzBot fuzz(true);
    fuzz.joinAsOperator();
    const std::string line = "/" + std::string(morva::testing::Bytes(data, size));
    morva::RunsWithoutServer(line);
    morva::LocalCommand(fuzz.bot.chat, line);
    fuzz.clock.advance(60000);
    fuzz.checkMembers();
    return 0;
}
