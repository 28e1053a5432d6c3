// bot.members, bot.is_operator, bot.is_access, bot.is_safe, bot.matches and bot.setting: what a script
// may learn of the channel, the lists and config.bot.
#include <string>

#include "chat/channel_users.h"
#include "chat/chat.h"
#include "platform/text_case.h"
#include "scripts/api_support.h"
#include "scripts/script.h"
#include "settings/config_file.h"
#include "settings/like_match.h"
#include "settings/name_lists.h"
#include "settings/settings.h"

namespace morva {

namespace {

void setField(lua_State* L, const char* key, const std::string& text) {
    lua_pushlstring(L, text.data(), text.size());
    lua_setfield(L, -2, key);
}

int members(lua_State* L) {
    const ChannelMembers& list = ScriptOf(L).world.chat.ChannelUsers;
    lua_createtable(L, static_cast<int>(list.size()), 0);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Member& member = list[i];
        lua_createtable(L, 0, 4);
        setField(L, "name", member.name);
        setField(L, "flags", member.flags);
        setField(L, "product", member.product);
        lua_pushinteger(L, member.ping);
        lua_setfield(L, -2, "ping");
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

int isOperator(lua_State* L) {
    const Chat& chat = ScriptOf(L).world.chat;
    lua_pushboolean(L, Native([&] { return IsBotOp(chat); }));
    return 1;
}

int isAccess(lua_State* L) {
    const Settings& settings = ScriptOf(L).world.chat.settings;
    const std::string_view name = TextArg(L, 1);
    lua_pushboolean(L, Native([&] { return IsAcces(settings, name); }));
    return 1;
}

int isSafe(lua_State* L) {
    const Settings& settings = ScriptOf(L).world.chat.settings;
    const std::string_view name = TextArg(L, 1);
    lua_pushboolean(L, Native([&] { return IsSafe(settings, name); }));
    return 1;
}

int matches(lua_State* L) {
    const std::string_view name = TextArg(L, 1);
    const std::string_view pattern = TextArg(L, 2);
    lua_pushboolean(L, Native([&] { return NameMatches(name, pattern); }));
    return 1;
}

// The account's password stays with the bot.
bool readSetting(Script& script, std::string_view section, std::string_view key) {
    if (EqualsNoCase(section, "Profile") && EqualsNoCase(key, "Password")) return false;
    auto value = ConfigSnapshot(script.world.chat.settings).lookup(std::string(section), std::string(key));
    if (!value) return false;
    script.reply = std::move(*value);
    return true;
}

int setting(lua_State* L) {
    Script& script = ScriptOf(L);
    const std::string_view section = TextArg(L, 1);
    const std::string_view key = TextArg(L, 2);
    if (!Native([&] { return readSetting(script, section, key); })) {
        lua_pushnil(L);
    } else {
        lua_pushlstring(L, script.reply.data(), script.reply.size());
    }
    return 1;
}

}  // namespace

const luaL_Reg QueryFunctions[] = {
    {"members", members}, {"is_operator", isOperator}, {"is_access", isAccess}, {"is_safe", isSafe},
    {"matches", matches}, {"setting", setting},        {nullptr, nullptr},
};

}  // namespace morva
