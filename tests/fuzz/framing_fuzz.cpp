// The binary framing and the packet dispatcher as a pure function: a stream gives the same events
// however it is cut into reads, nothing follows a broken stream, and every byte is accounted for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "sessions/binary_session.h"
#include "sessions/overloaded.h"

namespace {

using namespace morva;

std::string Describe(const BinaryEvent& event) {
    return std::visit(
        Overloaded{[](const AuthInfoReply& e) { return "auth " + std::to_string(e.serverToken); },
                   [](const AuthCheckReply& e) { return "check " + std::to_string(e.result); },
                   [](const LogonReply& e) { return "logon " + std::to_string(e.result); },
                   [](const ChatEvent& e) { return testing::Describe(e); },
                   [](const BrokenStream& e) { return "broken " + std::to_string(e.length); }},
        event);
}

std::vector<std::string> Events(const std::vector<std::string_view>& reads) {
    BinarySession session;
    std::vector<std::string> events;
    std::size_t fed = 0;
    bool broken = false;
    for (const std::string_view read : reads) {
        session.feed(read);
        fed += read.size();
        while (const auto event = session.next()) {
            if (broken) __builtin_trap();
            broken = std::holds_alternative<BrokenStream>(*event);
            events.push_back(Describe(*event));
        }
        if (session.unhandled() > fed) __builtin_trap();
        // Without a broken stream, what waits is less than one packet.
        if (!broken && session.unhandled() >= 0x10000) __builtin_trap();
    }
    return events;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = testing::Bytes(data, size);
    const std::vector<std::string> whole = Events({bytes});
    if (Events(testing::Reads(bytes)) != whole) __builtin_trap();
    return 0;
}
