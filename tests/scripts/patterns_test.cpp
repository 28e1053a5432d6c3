// The string functions of the sandbox against Lua's own, on generated patterns and subjects.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <array>
#include <memory>
#include <random>
#include <string>

#include "scripts/sandbox.h"

namespace morva {
namespace {

// Every pattern function with every kind of replacement, each call's results or error as text.
const char* const ProbeSource = R"lua(
local function show(...)
  local parts = {}
  for i = 1, select("#", ...) do
    local value = select(i, ...)
    parts[#parts + 1] = type(value) .. ":" .. tostring(value)
  end
  return table.concat(parts, ",")
end
local function try(f, ...)
  local results = table.pack(pcall(f, ...))
  return show(table.unpack(results, 1, results.n))
end
local function all(s, p, init)
  local found = {}
  for a, b in string.gmatch(s, p, init) do found[#found + 1] = show(a, b) end
  return table.concat(found, ";")
end
local function wrap(a, b)
  if a == "b" then return nil end
  return "<" .. tostring(a) .. "|" .. tostring(b) .. ">"
end
function probe(s, p, init, repl)
  return table.concat({
    try(string.find, s, p, init), try(string.find, s, p, init, true), try(string.match, s, p, init),
    try(all, s, p, init), try(string.gsub, s, p, repl), try(string.gsub, s, p, repl, 2),
    try(string.gsub, s, p, {a = "T", ab = 1, ["()"] = true}), try(string.gsub, s, p, wrap),
    try(function() return s:find(p, init) end)}, "\n")
end
)lua";

struct Probe {
    std::string subject, pattern, replacement;
    lua_Integer init = 1;
    std::string result;
};

// Calls probe in L and keeps its text; a failure of the call itself is kept as well.
int RunProbe(lua_State* L) {
    auto& probe = *static_cast<Probe*>(lua_touserdata(L, 1));
    lua_getglobal(L, "probe");
    lua_pushlstring(L, probe.subject.data(), probe.subject.size());
    lua_pushlstring(L, probe.pattern.data(), probe.pattern.size());
    lua_pushinteger(L, probe.init);
    lua_pushlstring(L, probe.replacement.data(), probe.replacement.size());
    lua_pcall(L, 4, 1, 0);
    std::size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    probe.result.assign(text ? text : "(no text)", text ? length : 9);
    lua_pop(L, 1);
    return 0;
}

int LoadProbe(lua_State* L) {
    if (luaL_dostring(L, ProbeSource) != LUA_OK) lua_error(L);
    return 0;
}

int OpenSandbox(lua_State* L) {
    Sandbox::OpenLibraries(L);
    return LoadProbe(L);
}

// Pieces of patterns, with every special form, broken ones among them.
constexpr auto PatternPieces = std::to_array<const char*>(
    {"a",  "b",  ".", "%a",   "%d",   "%s",    "%w",     "%p",  "%A",    "%S",     "%x",     "%c",
     "%u", "%l", "%", "[ab]", "[^a]", "[a-c]", "[%a-]",  "[]]", "[^]a]", "[",      "]",      "(",
     ")",  "()", "*", "+",    "-",    "?",     "^",      "$",   "%b()",  "%f[%w]", "%f[%W]", "%1",
     "%2", "%0", "x", " ",    "[a-]", "[)-b]", "[^%d-]", "(a)", "(.)",   "(%a+)",  "%Q",     "%z"});
constexpr auto Replacements = std::to_array<const char*>({"%0", "[%1]", "%%", "%2", "%", "x%1y%0", "%a"});
constexpr auto Inits = std::to_array<lua_Integer>({1, 2, -1, -3, 0, 4, 20});
const std::string SubjectCharacters = std::string("ab(). 1x-A%]") + '\0';

Probe RandomProbe(std::mt19937& random) {
    Probe probe;
    const int pieces = static_cast<int>(random() % 6) + 1;
    for (int i = 0; i < pieces; i++) probe.pattern += PatternPieces[random() % PatternPieces.size()];
    const int length = static_cast<int>(random() % 13);
    for (int i = 0; i < length; i++) probe.subject += SubjectCharacters[random() % SubjectCharacters.size()];
    probe.replacement = Replacements[random() % Replacements.size()];
    probe.init = Inits[random() % Inits.size()];
    return probe;
}

// Runs body(arg) protected in a plain state.
int CallIn(lua_State* L, lua_CFunction body, void* arg) {
    lua_pushcfunction(L, body);
    lua_pushlightuserdata(L, arg);
    return lua_pcall(L, 1, 0, 0);
}

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; i++) repeated += text;
    return repeated;
}

// The sandbox's string functions beside Lua's own in a plain state, both with the probe loaded.
class BoundedPatterns : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox_.run(OpenSandbox, nullptr).ok);
        luaL_openlibs(reference_.get());
        ASSERT_EQ(CallIn(reference_.get(), LoadProbe, nullptr), LUA_OK);
    }

    // The probe's text from the sandbox, after checking that Lua's own functions give the same.
    std::string sameAnswers(const Probe& probe) {
        Probe ours = probe, theirs = probe;
        EXPECT_TRUE(sandbox_.run(RunProbe, &ours).ok);
        EXPECT_EQ(CallIn(reference_.get(), RunProbe, &theirs), LUA_OK);
        EXPECT_EQ(ours.result, theirs.result)
            << "subject \"" << probe.subject << "\" pattern \"" << probe.pattern << "\" init " << probe.init
            << " replacement \"" << probe.replacement << "\"";
        return ours.result;
    }

private:
    Sandbox sandbox_;
    const std::unique_ptr<lua_State, decltype(&lua_close)> reference_{luaL_newstate(), lua_close};
};

TEST_F(BoundedPatterns, AnswerAsLuasOwnFunctionsOnGeneratedPatterns) {
    std::mt19937 random(20261211);
    int errors = 0;
    for (int i = 0; i < 20000 && !HasFailure(); i++)
        errors += sameAnswers(RandomProbe(random)).find("boolean:false,string:") != std::string::npos;
    // The generated patterns reach the faults as well as the matches.
    EXPECT_GT(errors, 1000);
}

TEST_F(BoundedPatterns, AnswerAsLuasOwnFunctionsAtTheLimits) {
    const std::string as(250, 'a');
    const Probe cases[] = {
        {"aa", "(a)%1", "%1", 1, ""},
        {"aab", "(a)%1b", "%1", 1, ""},
        {"ab", "(a)%1", "%1", 1, ""},
        {"a()a", "()%1", "%1", 1, ""},
        {as, Repeat("a?", 198), "%0", 1, ""},
        {as, Repeat("a?", 199), "%0", 1, ""},
        {as, Repeat("a?", 200), "%0", 1, ""},
        {"x", Repeat("(", 32) + "x" + Repeat(")", 32), "%9", 1, ""},
        {"x", Repeat("(", 33) + "x" + Repeat(")", 33), "%9", 1, ""},
        {"x", Repeat("()", 32) + "x", "%1", 1, ""},
        {"x", Repeat("()", 33) + "x", "%1", 1, ""},
        {"f(a(b)c)d", "%b()", "<%0>", 1, ""},
        {"THE (quick) fox", "%f[%a]%a+", "%0!", 1, ""},
        {"key = value", "(%w+)%s*=%s*(%w+)", "%2=%1", 1, ""},
    };
    for (const Probe& probe : cases) sameAnswers(probe);
}

}  // namespace
}  // namespace morva
