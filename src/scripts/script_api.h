#pragma once

struct lua_State;

namespace morva {

class Script;

// Makes the global table "bot" of the script's functions, and the global print, in the script's state.
// For a body run by Sandbox::run.
void RegisterBotApi(lua_State* L, Script& script);

}  // namespace morva
