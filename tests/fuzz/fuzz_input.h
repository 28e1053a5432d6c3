#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sessions/chat_event.h"

namespace morva::testing {

// The fuzzer's bytes as text.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Whether view lies within text: views a parser hands out must point into what it was given.
inline bool Inside(std::string_view view, std::string_view text) {
    return view.empty() ||
           (view.data() >= text.data() && view.data() + view.size() <= text.data() + text.size());
}

// The bytes cut into reads whose sizes cycle through the first byte's bits, so that every input is
// also tried in pieces of one to sixteen bytes.
inline std::vector<std::string_view> Reads(std::string_view bytes) {
    std::vector<std::string_view> reads;
    const unsigned seed = bytes.empty() ? 0 : static_cast<unsigned char>(bytes.front());
    for (unsigned turn = 0; !bytes.empty(); ++turn) {
        const std::size_t size = std::min<std::size_t>(bytes.size(), 1 + ((seed >> (turn % 5)) & 15));
        reads.push_back(bytes.substr(0, size));
        bytes.remove_prefix(size);
    }
    return reads;
}

// A chat event as one comparable text.
inline std::string Describe(const ChatEvent& e) {
    std::string text = std::to_string(static_cast<long>(e.id));
    for (const auto& field : {e.name, e.flags, e.product})
        text += field ? "|" + std::string(*field) : std::string("|-");
    return text + "|" + std::to_string(e.ping) + "|" + std::string(e.text);
}

}  // namespace morva::testing
