// bot.say, bot.whisper, bot.kick, bot.ban and bot.print: what a script makes the bot do in the channel
// and the chat pane.
#include <string>

#include "chat/channel_users.h"
#include "chat/chat.h"
#include "moderation/commands.h"
#include "moderation/kick_ban.h"
#include "moderation/say.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "scripts/api_support.h"
#include "scripts/print_colors.h"
#include "scripts/script.h"

namespace morva {

namespace {

Chat& chatOf(lua_State* L) {
    return ScriptOf(L).world.chat;
}

int say(lua_State* L) {
    Chat& chat = chatOf(L);
    const std::string_view text = LineArg(L, 1, "say");
    lua_pushboolean(L, !text.empty() && Native([&] { return Say(chat, std::string(text)); }));
    return 1;
}

int whisper(lua_State* L) {
    Chat& chat = chatOf(L);
    const std::string_view name = NameArg(L, 1, "whisper");
    const std::string_view text = LineArg(L, 2, "whisper");
    lua_pushboolean(L,
                    Native([&] { return Say(chat, "/w " + std::string(name) + " " + std::string(text)); }));
    return 1;
}

// As the kick and ban commands: only while the bot holds operator status, and never a safe user.
int removeFromChannel(lua_State* L, const char* function, TargetAction action) {
    Chat& chat = chatOf(L);
    const std::string_view name = NameArg(L, 1, function);
    const std::string_view reason = lua_isnoneornil(L, 2) ? std::string_view() : LineArg(L, 2, function);
    const bool asked = Native([&] {
        if (!IsBotOp(chat)) return false;
        action(chat, reason.empty() ? std::string(name) : std::string(name) + " " + std::string(reason));
        return true;
    });
    lua_pushboolean(L, asked);
    return 1;
}

int kick(lua_State* L) {
    return removeFromChannel(L, "kick", KickUser);
}

int ban(lua_State* L) {
    return removeFromChannel(L, "ban", BanUser);
}

// Each line of the text is a line of the pane.
void printLines(Output& output, std::string_view text, Rgb color) noexcept {
    std::size_t start = 0;
    do {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        AddChat(output, {{color, std::string(line)}});
        start = end + 1;
    } while (start <= text.size());
}

Rgb colorArg(lua_State* L, int index) {
    if (lua_isnoneornil(L, index)) return ColorWhite;
    if (lua_type(L, index) == LUA_TNUMBER) {
        const lua_Integer value = luaL_checkinteger(L, index);
        if (value < 0 || value > 0xFFFFFF)
            Fail(L, "print", "a colour number is 0xRRGGBB, from 0 to 0xFFFFFF");
        return RGB(static_cast<int>(value >> 16), static_cast<int>((value >> 8) & 0xFF),
                   static_cast<int>(value & 0xFF));
    }
    const auto named = NamedColor(TextArg(L, index));
    if (!named) Fail(L, "print", "unknown colour name");
    return *named;
}

int print(lua_State* L) {
    Output& output = chatOf(L).output;
    const std::string_view text = TextArg(L, 1);
    const Rgb color = colorArg(L, 2);
    printLines(output, text, color);
    return 0;
}

}  // namespace

int GlobalPrint(lua_State* L) {
    Output& output = chatOf(L).output;
    const int count = lua_gettop(L);
    luaL_Buffer line;
    luaL_buffinit(L, &line);
    for (int i = 1; i <= count; ++i) {
        if (i > 1) luaL_addchar(&line, '\t');
        luaL_tolstring(L, i, nullptr);
        luaL_addvalue(&line);
    }
    luaL_pushresult(&line);
    printLines(output, TextArg(L, -1), ColorWhite);
    return 0;
}

const luaL_Reg ChatFunctions[] = {
    {"say", say}, {"whisper", whisper}, {"kick", kick}, {"ban", ban}, {"print", print}, {nullptr, nullptr},
};

}  // namespace morva
