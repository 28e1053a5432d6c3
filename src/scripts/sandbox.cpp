#include "scripts/sandbox.h"

#include <lua.hpp>

#include <cstdlib>
#include <new>

namespace morva {

namespace {

// The hook runs every so many instructions: often enough to stop a loop at once, seldom enough to cost
// nothing that shows.
constexpr int HookInterval = 1000;

// The error value of a failed call as text. Only a string is read as it is: turning another value into
// text would allocate, which may fail outside any protection.
std::string describe(lua_State* L, int index) {
    switch (lua_type(L, index)) {
        case LUA_TSTRING: {
            std::size_t length = 0;
            const char* text = lua_tolstring(L, index, &length);
            return std::string(text, length);
        }
        case LUA_TNUMBER:
            return lua_isinteger(L, index) ? std::to_string(lua_tointeger(L, index))
                                           : std::to_string(lua_tonumber(L, index));
        default:
            return std::string("an error value of type ") + luaL_typename(L, index);
    }
}

}  // namespace

// The state is made in the body, once the allocator's count is set.
Sandbox::Sandbox() {
    state_ = lua_newstate(allocate, this);
    if (!state_) throw std::bad_alloc();
    // Coroutines get a copy of this space, so the hook finds the sandbox from any of them.
    *static_cast<Sandbox**>(lua_getextraspace(state_)) = this;
    lua_sethook(state_, countHook, LUA_MASKCOUNT, HookInterval);
}

Sandbox::~Sandbox() {
    lua_close(state_);
}

Sandbox& Sandbox::of(lua_State* L) {
    return **static_cast<Sandbox**>(lua_getextraspace(L));
}

ScriptOutcome Sandbox::run(int (*body)(lua_State*), void* arg) {
    if (depth_ == 0) {
        instructions_ = 0;
        overBudget_ = false;
        lua_sethook(state_, countHook, LUA_MASKCOUNT, HookInterval);
    }
    if (!lua_checkstack(state_, 2)) return {false, ScriptLimit::Memory, "not enough memory"};
    ++depth_;
    lua_pushcfunction(state_, body);
    lua_pushlightuserdata(state_, arg);
    const int status = lua_pcall(state_, 1, 0, 0);
    --depth_;
    ScriptOutcome outcome;
    if (status != LUA_OK) {
        outcome.ok = false;
        outcome.error = describe(state_, -1);
        lua_pop(state_, 1);
    }
    if (overBudget_) {
        outcome.limit = ScriptLimit::Instructions;
    } else if (status == LUA_ERRMEM) {
        outcome.limit = ScriptLimit::Memory;
    }
    return outcome;
}

// Lua asks for every block through here: growth past the cap is refused, which Lua raises as a memory
// error after one emergency collection. Shrinking never fails, as Lua requires.
void* Sandbox::allocate(void* self, void* block, std::size_t oldSize, std::size_t newSize) noexcept {
    Sandbox& box = *static_cast<Sandbox*>(self);
    const std::size_t held = block ? oldSize : 0;
    if (newSize == 0) {
        std::free(block);
        box.bytes_ -= held;
        return nullptr;
    }
    if (newSize > held && box.bytes_ - held + newSize > MemoryCap) return nullptr;
    void* moved = std::realloc(block, newSize);
    if (moved) box.bytes_ = box.bytes_ - held + newSize;
    return moved;
}

long long Sandbox::Remaining(lua_State* L) {
    return InstructionBudget - of(L).instructions_;
}

void Sandbox::Spend(lua_State* L, long long steps) {
    of(L).instructions_ += steps;
    stopWhenSpent(L);
}

// Past the budget every further instruction raises the error again, so a script that catches it with
// pcall is still stopped: each level that catches it raises it anew at its next instruction.
void Sandbox::stopWhenSpent(lua_State* L) {
    Sandbox& box = of(L);
    if (box.instructions_ > InstructionBudget) box.overBudget_ = true;
    if (!box.overBudget_) return;
    lua_sethook(L, countHook, LUA_MASKCOUNT, 1);
    lua_pushliteral(L, "the instruction budget is spent");
    lua_error(L);
}

// Counts the instructions of the call across all coroutines.
void Sandbox::countHook(lua_State* L, lua_Debug*) {
    of(L).instructions_ += lua_gethookcount(L);
    stopWhenSpent(L);
    if (lua_gethookcount(L) != HookInterval) lua_sethook(L, countHook, LUA_MASKCOUNT, HookInterval);
    // Lua's own stack limit lies beyond the memory cap; endless recursion ends here instead.
    lua_Debug deep;
    if (lua_getstack(L, MaxCallDepth, &deep)) luaL_error(L, "stack overflow");
}

}  // namespace morva
