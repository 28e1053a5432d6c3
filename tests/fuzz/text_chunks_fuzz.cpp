// The text protocol's chunks over several reads as a pure function: the lines of a stream are the
// same events however it is cut, as long as no read holds a friend notice or an overlong line
// (those belong to the read they arrive in).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "sessions/overloaded.h"
#include "sessions/text_session.h"

namespace {

using namespace morva;

struct Run {
    std::vector<std::string> lines;
    bool perRead = false;  // a notice or an overlong line came
};

Run Events(const std::vector<std::string_view>& reads) {
    TextSession session;
    Run run;
    for (const std::string_view read : reads) {
        session.feed(read);
        while (const auto event = session.next()) {
            std::visit(Overloaded{[&](const ChatEvent& e) { run.lines.push_back(testing::Describe(e)); },
                                  [&](const auto&) { run.perRead = true; }},
                       *event);
        }
        // Once the events are taken, only the unfinished end waits, and it never grows past its cap.
        if (session.unhandled() > TextSession::MaxPendingLine) __builtin_trap();
    }
    return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = testing::Bytes(data, size);
    const Run whole = Events({bytes});
    const Run cut = Events(testing::Reads(bytes));
    if (!whole.perRead && !cut.perRead && whole.lines != cut.lines) __builtin_trap();
    return 0;
}
