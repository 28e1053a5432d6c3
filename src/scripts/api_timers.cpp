// bot.timer(ms, fn) and its handle's stop(): repeating timers on the bot's timer port.
#include <climits>

#include "scripts/api_support.h"
#include "scripts/script.h"

namespace morva {

namespace {

constexpr const char* HandleType = "morva.timer";

int startTimer(Script& script, int intervalMs, TimerRefs refs) {
    return script.timers.start(intervalMs, refs, [&script](int id) { script.tick(id); });
}

// timer(ms, fn): fn(handle) runs every ms milliseconds until handle:stop().
int timer(lua_State* L) {
    Script& script = ScriptOf(L);
    const lua_Integer ms = luaL_checkinteger(L, 1);
    luaL_checktype(L, 2, LUA_TFUNCTION);
    if (ms < ScriptTimers::MinIntervalMs || ms > INT_MAX)
        return Fail(L, "timer", "the interval is from 100 to 2147483647 milliseconds");
    if (script.timers.running() >= ScriptTimers::MaxRunning)
        return Fail(L, "timer", "a script runs at most 256 timers at once");
    auto* id = static_cast<int*>(lua_newuserdatauv(L, sizeof(int), 0));
    *id = 0;
    luaL_setmetatable(L, HandleType);
    lua_pushvalue(L, -1);
    const int handle = luaL_ref(L, LUA_REGISTRYINDEX);
    lua_pushvalue(L, 2);
    const int function = luaL_ref(L, LUA_REGISTRYINDEX);
    *id = Native([&] { return startTimer(script, static_cast<int>(ms), TimerRefs{function, handle}); });
    return 1;
}

// handle:stop(): true when the timer was running.
int stop(lua_State* L) {
    Script& script = ScriptOf(L);
    const int id = *static_cast<int*>(luaL_checkudata(L, 1, HandleType));
    const auto refs = Native([&] { return script.timers.stop(id); });
    if (refs) {
        luaL_unref(L, LUA_REGISTRYINDEX, refs->function);
        luaL_unref(L, LUA_REGISTRYINDEX, refs->handle);
    }
    lua_pushboolean(L, refs.has_value());
    return 1;
}

}  // namespace

const luaL_Reg TimerFunctions[] = {{"timer", timer}, {nullptr, nullptr}};

void RegisterTimerHandles(lua_State* L, Script& script) {
    luaL_newmetatable(L, HandleType);
    lua_createtable(L, 0, 1);
    lua_pushlightuserdata(L, &script);
    lua_pushcclosure(L, stop, 1);
    lua_setfield(L, -2, "stop");
    lua_setfield(L, -2, "__index");
    lua_pop(L, 1);
}

}  // namespace morva
