#pragma once

namespace morva {

// One handler per kind of a session's events: std::visit(Overloaded{[](const A&) {}, ...}, event).
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

}  // namespace morva
