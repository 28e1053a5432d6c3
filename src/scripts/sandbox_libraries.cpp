// The standard libraries as a script sees them.
#include <lua.hpp>

#include <cstring>

#include "scripts/bounded_patterns.h"
#include "scripts/sandbox.h"

namespace morva {

namespace {

// load(chunk [, chunkname [, mode [, env]]]) that reads text only: a binary chunk can break the state.
// Without env the chunk sees the script's own globals, which are the sandbox.
int textLoad(lua_State* L) {
    const int arguments = lua_gettop(L) >= 4 ? 4 : 3;
    lua_settop(L, arguments);
    lua_pushliteral(L, "t");
    lua_replace(L, 3);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, arguments, LUA_MULTRET);
    return lua_gettop(L);
}

// collectgarbage with the options that only look or collect; the others would tune the collector.
int plainCollect(lua_State* L) {
    const char* option = luaL_optstring(L, 1, "collect");
    if (std::strcmp(option, "collect") != 0 && std::strcmp(option, "count") != 0 &&
        std::strcmp(option, "step") != 0)
        return luaL_error(L, "collectgarbage: option '%s' is not allowed here", option);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// setmetatable without finalizers: Lua runs a __gc function with the count hook switched off, so an
// endless one could never be stopped.
int setmetatableWithoutFinalizer(lua_State* L) {
    if (lua_type(L, 2) == LUA_TTABLE) {
        lua_pushliteral(L, "__gc");
        const bool finalizer = lua_rawget(L, 2) != LUA_TNIL;
        lua_pop(L, 1);
        if (finalizer) return luaL_error(L, "setmetatable: a __gc metamethod is not allowed here");
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

void open(lua_State* L, const char* name, lua_CFunction opener) {
    luaL_requiref(L, name, opener, 1);
    lua_pop(L, 1);
}

// Replaces global name by function, which gets the original as its upvalue.
void wrapGlobal(lua_State* L, const char* name, lua_CFunction function) {
    lua_getglobal(L, name);
    lua_pushcclosure(L, function, 1);
    lua_setglobal(L, name);
}

void removeField(lua_State* L, const char* table, const char* field) {
    lua_getglobal(L, table);
    lua_pushnil(L);
    lua_setfield(L, -2, field);
    lua_pop(L, 1);
}

// os keeps only its clock and calendar.
void keepTimeOfOs(lua_State* L) {
    lua_getglobal(L, "os");
    lua_createtable(L, 0, 3);
    for (const char* name : {"time", "date", "clock"}) {
        lua_getfield(L, -2, name);
        lua_setfield(L, -2, name);
    }
    lua_setglobal(L, "os");
    lua_pop(L, 1);
}

}  // namespace

void Sandbox::OpenLibraries(lua_State* L) {
    open(L, LUA_GNAME, luaopen_base);
    open(L, LUA_STRLIBNAME, luaopen_string);
    open(L, LUA_TABLIBNAME, luaopen_table);
    open(L, LUA_MATHLIBNAME, luaopen_math);
    open(L, LUA_UTF8LIBNAME, luaopen_utf8);
    open(L, LUA_COLIBNAME, luaopen_coroutine);
    open(L, LUA_OSLIBNAME, luaopen_os);
    keepTimeOfOs(L);
    for (const char* name : {"dofile", "loadfile", "require", "print"}) {
        lua_pushnil(L);
        lua_setglobal(L, name);
    }
    removeField(L, LUA_STRLIBNAME, "dump");
    BoundPatternFunctions(L);
    wrapGlobal(L, "load", textLoad);
    wrapGlobal(L, "collectgarbage", plainCollect);
    wrapGlobal(L, "setmetatable", setmetatableWithoutFinalizer);
}

}  // namespace morva
