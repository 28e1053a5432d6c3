#include "scripts/api_support.h"

#include <algorithm>

#include "scripts/script.h"

namespace morva {

Script& ScriptOf(lua_State* L) {
    auto& script = *static_cast<Script*>(lua_touserdata(L, lua_upvalueindex(1)));
    // Finalizers may call in while the state closes.
    if (!script.running()) luaL_error(L, "the script is being switched off");
    return script;
}

int Fail(lua_State* L, const char* function, const char* reason) {
    luaL_where(L, 1);
    lua_pushfstring(L, "bot.%s: %s", function, reason);
    lua_concat(L, 2);
    return lua_error(L);
}

std::string_view TextArg(lua_State* L, int index) {
    std::size_t length = 0;
    const char* text = luaL_checklstring(L, index, &length);
    return {text, length};
}

std::string_view LineArg(lua_State* L, int index, const char* function) {
    const std::string_view text = TextArg(L, index);
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        Fail(L, function, "a chat line cannot hold a line break or a NUL");
    return text;
}

std::string_view NameArg(lua_State* L, int index, const char* function) {
    const std::string_view name = TextArg(L, index);
    const bool blankOrControl =
        std::ranges::any_of(name, [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7f; });
    if (name.empty() || blankOrControl) Fail(L, function, "a name cannot be empty nor hold a blank");
    return name;
}

}  // namespace morva
