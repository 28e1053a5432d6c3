// bot.read and bot.write: the script's own files, in its data folder and nowhere else.
#include "chat/chat.h"
#include "scripts/api_support.h"
#include "scripts/data_files.h"
#include "scripts/script.h"
#include "settings/settings.h"

namespace morva {

namespace {

enum class Outcome { Done, Missing, Failed };

std::string_view dataName(lua_State* L, const char* function) {
    const std::string_view name = TextArg(L, 1);
    if (const char* problem = DataNameProblem(name)) Fail(L, function, problem);
    return name;
}

std::filesystem::path folderOf(const Script& script) {
    return DataFolder(script.world.chat.settings.ProfileDir, script.name());
}

Outcome readFile(Script& script, std::string_view name) {
    DataFile file = ReadDataFile(folderOf(script), name);
    if (file.bytes) {
        script.reply = std::move(*file.bytes);
        return Outcome::Done;
    }
    if (file.missing) return Outcome::Missing;
    script.reply = std::string(name) + ": " + file.error;
    return Outcome::Failed;
}

Outcome writeFile(Script& script, std::string_view name, std::string_view text) {
    const auto failed = WriteDataFile(folderOf(script), name, text);
    if (!failed) return Outcome::Done;
    script.reply = std::string(name) + ": " + *failed;
    return Outcome::Failed;
}

// read(name): the file's text, or nil when there is no such file.
int read(lua_State* L) {
    Script& script = ScriptOf(L);
    const std::string_view name = dataName(L, "read");
    switch (Native([&] { return readFile(script, name); })) {
        case Outcome::Done:
            lua_pushlstring(L, script.reply.data(), script.reply.size());
            script.reply = std::string();  // a large file is not kept twice
            break;
        case Outcome::Missing:
            lua_pushnil(L);
            break;
        case Outcome::Failed:
            return Fail(L, "read", script.reply.c_str());
    }
    return 1;
}

int write(lua_State* L) {
    Script& script = ScriptOf(L);
    const std::string_view name = dataName(L, "write");
    const std::string_view text = TextArg(L, 2);
    if (Native([&] { return writeFile(script, name, text); }) == Outcome::Failed)
        return Fail(L, "write", script.reply.c_str());
    return 0;
}

}  // namespace

const luaL_Reg FileFunctions[] = {{"read", read}, {"write", write}, {nullptr, nullptr}};

}  // namespace morva
