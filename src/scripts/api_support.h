#pragma once

// What the functions of the "bot" table share. Each is a thin edge between Lua and the bot: it takes its
// arguments, hands them to C++ work that returns before any further Lua call, and gives the result
// back. Lua raises errors by longjmp, so no C++ object with a destructor lives in these functions' frames
// while they call Lua; texts coming back from the bot wait in Script::reply.
#include <lua.hpp>

#include <string_view>

namespace morva {

class Script;

// The script whose state runs the function (its first upvalue).
Script& ScriptOf(lua_State* L);

// Runs the C++ side of a call. No exception may cross Lua's frames, which are C: one ends the program
// here, as running out of memory does anywhere else.
template <typename Work>
auto Native(Work&& work) noexcept {
    return work();
}

// Raises "bot.<function>: <reason>" at the script's line that called the function.
int Fail(lua_State* L, const char* function, const char* reason);

// A string argument, as any bytes.
std::string_view TextArg(lua_State* L, int index);
// A text for one chat line: no line break and no NUL.
std::string_view LineArg(lua_State* L, int index, const char* function);
// A user name or name pattern: not empty, no blank, no control character.
std::string_view NameArg(lua_State* L, int index, const char* function);

// The functions of the "bot" table, by subject; each list ends with an empty entry.
extern const luaL_Reg ChatFunctions[];
extern const luaL_Reg QueryFunctions[];
extern const luaL_Reg FileFunctions[];
extern const luaL_Reg TimerFunctions[];
// print(...): its values as tostring makes them, between tabs, in the chat pane.
int GlobalPrint(lua_State* L);
// The metatable of timer handles; for RegisterBotApi.
void RegisterTimerHandles(lua_State* L, Script& script);

}  // namespace morva
