// string.find, match, gmatch and gsub on a matcher whose work counts toward the instruction budget:
// Lua's own ones run in C, where no count hook can stop a pattern that takes hours. They take the
// same arguments and give the same results and errors. Like the rest of the API they hold nothing
// with a destructor while Lua may raise.
#include <lua.hpp>

#include <cstring>
#include <string_view>

#include "scripts/bounded_patterns.h"
#include "scripts/lua_pattern.h"
#include "scripts/sandbox.h"

namespace morva {

namespace {

constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

// A position argument as Lua's string functions read it: negative counts from the end, 0 is 1.
std::size_t startPosition(lua_Integer position, std::size_t length) {
    if (position > 0) return static_cast<std::size_t>(position);
    if (position == 0 || position < -static_cast<lua_Integer>(length)) return 1;
    return length + static_cast<std::size_t>(position) + 1;
}

bool noSpecials(std::string_view pattern) {
    return pattern.find_first_of("^$*+?.([%-") == std::string_view::npos;
}

// A plain search that counts the bytes it compares: "aaaa...b" in "aaaa..." compares without end.
std::size_t plainFind(lua_State* L, std::string_view subject, std::size_t from, std::string_view needle) {
    if (needle.empty()) return from;
    if (needle.size() > subject.size() - from) return NotFound;
    const std::size_t last = subject.size() - needle.size();
    for (std::size_t at = from; at <= last; at++) {
        const void* hit = std::memchr(subject.data() + at, needle.front(), last - at + 1);
        if (!hit) return NotFound;
        at = static_cast<std::size_t>(static_cast<const char*>(hit) - subject.data());
        Sandbox::Spend(L, static_cast<long long>(needle.size()));
        if (std::memcmp(subject.data() + at, needle.data(), needle.size()) == 0) return at;
    }
    return NotFound;
}

// Charges the matcher's steps and raises its fault, if it has one.
void settle(lua_State* L, LuaPattern& matcher) {
    Sandbox::Spend(L, matcher.takeSpent());
    if (matcher.failed()) luaL_error(L, "%s", matcher.error());
}

// Capture index of a match [start, end) of subject; with no captures, index 0 is the whole match.
void pushCapture(lua_State* L, const LuaPattern& matcher, const char* subject, int index, std::size_t start,
                 std::size_t end) {
    if (index >= matcher.captures()) {
        if (index != 0) luaL_error(L, "invalid capture index %%%d", index + 1);
        lua_pushlstring(L, subject + start, end - start);
        return;
    }
    const std::ptrdiff_t length = matcher.captureLength(index);
    if (length == LuaPattern::Unfinished) luaL_error(L, "unfinished capture");
    if (length == LuaPattern::Position) {
        lua_pushinteger(L, static_cast<lua_Integer>(matcher.captureStart(index)) + 1);
        return;
    }
    lua_pushlstring(L, subject + matcher.captureStart(index), static_cast<std::size_t>(length));
}

// The captures of a match, or the whole match when the pattern has none and whole is set.
int pushCaptures(lua_State* L, const LuaPattern& matcher, const char* subject, std::size_t start,
                 std::size_t end, bool whole) {
    const int count = matcher.captures() == 0 && whole ? 1 : matcher.captures();
    luaL_checkstack(L, count, "too many captures");
    for (int i = 0; i < count; i++) pushCapture(L, matcher, subject, i, start, end);
    return count;
}

int findOrMatch(lua_State* L, bool find) {
    std::size_t length = 0, patternLength = 0;
    const char* subject = luaL_checklstring(L, 1, &length);
    const char* pattern = luaL_checklstring(L, 2, &patternLength);
    const std::size_t init = startPosition(luaL_optinteger(L, 3, 1), length) - 1;
    if (init > length) {
        luaL_pushfail(L);
        return 1;
    }
    if (find && (lua_toboolean(L, 4) || noSpecials({pattern, patternLength}))) {
        const std::size_t at = plainFind(L, {subject, length}, init, {pattern, patternLength});
        if (at == NotFound) {
            luaL_pushfail(L);
            return 1;
        }
        lua_pushinteger(L, static_cast<lua_Integer>(at) + 1);
        lua_pushinteger(L, static_cast<lua_Integer>(at + patternLength));
        return 2;
    }
    LuaPattern matcher({subject, length}, {pattern, patternLength}, Sandbox::Remaining(L));
    const bool anchor = patternLength > 0 && pattern[0] == '^';
    std::size_t at = init;
    do {
        const bool hit = matcher.matchAt(at, anchor ? 1 : 0);
        settle(L, matcher);
        if (!hit) continue;
        if (!find) return pushCaptures(L, matcher, subject, at, matcher.end(), true);
        lua_pushinteger(L, static_cast<lua_Integer>(at) + 1);
        lua_pushinteger(L, static_cast<lua_Integer>(matcher.end()));
        return pushCaptures(L, matcher, subject, at, matcher.end(), false) + 2;
    } while (at++ < length && !anchor);
    luaL_pushfail(L);
    return 1;
}

int find(lua_State* L) {
    return findOrMatch(L, true);
}

int match(lua_State* L) {
    return findOrMatch(L, false);
}

// The iterator of gmatch; its upvalues are the subject, the pattern, where to go on, and where the
// last match ended (-1 before the first), since an empty match right there would repeat it.
int gmatchNext(lua_State* L) {
    std::size_t length = 0, patternLength = 0;
    const char* subject = lua_tolstring(L, lua_upvalueindex(1), &length);
    const char* pattern = lua_tolstring(L, lua_upvalueindex(2), &patternLength);
    const lua_Integer lastEnd = lua_tointeger(L, lua_upvalueindex(4));
    LuaPattern matcher({subject, length}, {pattern, patternLength}, Sandbox::Remaining(L));
    for (auto at = static_cast<std::size_t>(lua_tointeger(L, lua_upvalueindex(3))); at <= length; at++) {
        const bool hit = matcher.matchAt(at);
        settle(L, matcher);
        if (!hit || static_cast<lua_Integer>(matcher.end()) == lastEnd) continue;
        lua_pushinteger(L, static_cast<lua_Integer>(matcher.end()));
        lua_pushvalue(L, -1);
        lua_replace(L, lua_upvalueindex(3));
        lua_replace(L, lua_upvalueindex(4));
        return pushCaptures(L, matcher, subject, at, matcher.end(), true);
    }
    lua_pushinteger(L, static_cast<lua_Integer>(length) + 1);
    lua_replace(L, lua_upvalueindex(3));
    return 0;
}

int gmatch(lua_State* L) {
    std::size_t length = 0;
    luaL_checklstring(L, 1, &length);
    luaL_checkstring(L, 2);
    std::size_t init = startPosition(luaL_optinteger(L, 3, 1), length) - 1;
    if (init > length) init = length + 1;
    lua_settop(L, 2);
    lua_pushinteger(L, static_cast<lua_Integer>(init));
    lua_pushinteger(L, -1);
    lua_pushcclosure(L, gmatchNext, 4);
    return 1;
}

// A replacement string: "%0" is the whole match, "%1" to "%9" its captures, "%%" a percent sign.
void addReplacement(lua_State* L, const LuaPattern& matcher, luaL_Buffer* buffer, const char* subject,
                    std::size_t start, std::size_t end) {
    std::size_t length = 0;
    const char* text = lua_tolstring(L, 3, &length);
    const char* escape = nullptr;
    while ((escape = static_cast<const char*>(std::memchr(text, '%', length))) != nullptr) {
        luaL_addlstring(buffer, text, static_cast<std::size_t>(escape - text));
        // Lua's strings end in a NUL, so reading one past a final "%" is safe and fails below.
        const char code = escape[1];
        if (code == '%') {
            luaL_addchar(buffer, '%');
        } else if (code == '0') {
            luaL_addlstring(buffer, subject + start, end - start);
        } else if (code >= '1' && code <= '9') {
            pushCapture(L, matcher, subject, code - '1', start, end);
            luaL_tolstring(L, -1, nullptr);
            lua_remove(L, -2);
            luaL_addvalue(buffer);
        } else {
            luaL_error(L, "invalid use of '%c' in replacement string", '%');
        }
        length -= static_cast<std::size_t>(escape + 2 - text);
        text = escape + 2;
    }
    luaL_addlstring(buffer, text, length);
}

// Adds what replaces a match; false when the match stays as it was.
bool addValue(lua_State* L, const LuaPattern& matcher, luaL_Buffer* buffer, const char* subject,
              std::size_t start, std::size_t end) {
    switch (lua_type(L, 3)) {
        case LUA_TFUNCTION: {
            lua_pushvalue(L, 3);
            const int count = pushCaptures(L, matcher, subject, start, end, true);
            lua_call(L, count, 1);
            break;
        }
        case LUA_TTABLE:
            pushCapture(L, matcher, subject, 0, start, end);
            lua_gettable(L, 3);
            break;
        default:
            addReplacement(L, matcher, buffer, subject, start, end);
            return true;
    }
    if (!lua_toboolean(L, -1)) {
        lua_pop(L, 1);
        luaL_addlstring(buffer, subject + start, end - start);
        return false;
    }
    if (!lua_isstring(L, -1)) luaL_error(L, "invalid replacement value (a %s)", luaL_typename(L, -1));
    luaL_addvalue(buffer);
    return true;
}

int gsub(lua_State* L) {
    std::size_t length = 0, patternLength = 0;
    const char* subject = luaL_checklstring(L, 1, &length);
    const char* pattern = luaL_checklstring(L, 2, &patternLength);
    const int replacement = lua_type(L, 3);
    const lua_Integer most = luaL_optinteger(L, 4, static_cast<lua_Integer>(length) + 1);
    luaL_argexpected(L,
                     replacement == LUA_TNUMBER || replacement == LUA_TSTRING ||
                         replacement == LUA_TFUNCTION || replacement == LUA_TTABLE,
                     3, "string/function/table");
    const bool anchor = patternLength > 0 && pattern[0] == '^';
    LuaPattern matcher({subject, length}, {pattern, patternLength}, Sandbox::Remaining(L));
    luaL_Buffer buffer;
    luaL_buffinit(L, &buffer);
    std::size_t at = 0, lastEnd = NotFound;
    lua_Integer count = 0;
    bool changed = false;
    while (count < most) {
        const bool hit = matcher.matchAt(at, anchor ? 1 : 0);
        settle(L, matcher);
        if (hit && matcher.end() != lastEnd) {
            count++;
            changed = addValue(L, matcher, &buffer, subject, at, matcher.end()) || changed;
            at = lastEnd = matcher.end();
        } else if (at < length) {
            luaL_addchar(&buffer, subject[at++]);
        } else {
            break;
        }
        if (anchor) break;
    }
    if (changed) {
        luaL_addlstring(&buffer, subject + at, length - at);
        luaL_pushresult(&buffer);
    } else {
        lua_pushvalue(L, 1);
    }
    lua_pushinteger(L, count);
    return 2;
}

}  // namespace

void BoundPatternFunctions(lua_State* L) {
    static const luaL_Reg functions[] = {
        {"find", find}, {"match", match}, {"gmatch", gmatch}, {"gsub", gsub}, {nullptr, nullptr}};
    lua_getglobal(L, LUA_STRLIBNAME);
    luaL_setfuncs(L, functions, 0);
    lua_pop(L, 1);
}

}  // namespace morva
