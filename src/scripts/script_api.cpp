#include "scripts/script_api.h"

#include "scripts/api_support.h"

namespace morva {

void RegisterBotApi(lua_State* L, Script& script) {
    lua_newtable(L);
    for (const luaL_Reg* functions : {ChatFunctions, QueryFunctions, FileFunctions, TimerFunctions}) {
        lua_pushlightuserdata(L, &script);
        luaL_setfuncs(L, functions, 1);
    }
    lua_setglobal(L, "bot");
    lua_pushlightuserdata(L, &script);
    lua_pushcclosure(L, GlobalPrint, 1);
    lua_setglobal(L, "print");
    RegisterTimerHandles(L, script);
}

}  // namespace morva
