#pragma once

namespace morva {

// One handler per kind of a session's events: std::visit(Overloaded{[](const A&) {}, ...}, event).
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Spelled out for compilers that do not deduce an aggregate's arguments by themselves (clang 14).
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace morva
