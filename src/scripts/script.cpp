#include "scripts/script.h"

#include <lua.hpp>

#include "chat/chat.h"
#include "output/add_chat.h"
#include "output/palette.h"
#include "scripts/script_api.h"

namespace morva {

namespace {

struct LoadCall {
    Script* script;
    std::string_view source;
    const char* chunkName;
};

int loadBody(lua_State* L) {
    const auto& call = *static_cast<const LoadCall*>(lua_touserdata(L, 1));
    Sandbox::OpenLibraries(L);
    RegisterBotApi(L, *call.script);
    if (luaL_loadbufferx(L, call.source.data(), call.source.size(), call.chunkName, "t") != LUA_OK)
        return lua_error(L);
    lua_call(L, 0, 0);
    return 0;
}

struct EventCall {
    const ScriptEvent* event;
    bool handled = false;
};

int eventBody(lua_State* L) {
    auto& call = *static_cast<EventCall*>(lua_touserdata(L, 1));
    const ScriptEvent& event = *call.event;
    if (lua_getglobal(L, event.function) != LUA_TFUNCTION) return 0;
    for (std::size_t i = 0; i < event.args.size(); ++i)
        lua_pushlstring(L, event.args[i].data(), event.args[i].size());
    lua_call(L, static_cast<int>(event.args.size()), 1);
    call.handled = lua_toboolean(L, -1);
    return 0;
}

int tickBody(lua_State* L) {
    const auto& refs = *static_cast<const TimerRefs*>(lua_touserdata(L, 1));
    lua_rawgeti(L, LUA_REGISTRYINDEX, refs.function);
    lua_rawgeti(L, LUA_REGISTRYINDEX, refs.handle);
    lua_call(L, 1, 0);
    return 0;
}

int releaseBody(lua_State* L) {
    const auto& refs = *static_cast<const TimerRefs*>(lua_touserdata(L, 1));
    luaL_unref(L, LUA_REGISTRYINDEX, refs.function);
    luaL_unref(L, LUA_REGISTRYINDEX, refs.handle);
    return 0;
}

std::string limitText(ScriptLimit limit) {
    if (limit == ScriptLimit::Memory)
        return "it needed more than its " + std::to_string(Sandbox::MemoryCap >> 20) + " MiB of memory";
    return "it ran more than " + std::to_string(Sandbox::InstructionBudget) + " instructions";
}

}  // namespace

Script::Script(ScriptWorld& world_, std::string fileName)
    : world(world_), timers(world_.timers), fileName_(std::move(fileName)) {}

Script::~Script() {
    timers.stopAll();
    sandbox_.reset();
}

std::string Script::name() const {
    return fileName_.substr(0, fileName_.size() - std::string_view(".lua").size());
}

bool Script::load(std::string_view source) {
    sandbox_ = std::make_unique<Sandbox>();
    const std::string chunkName = "=" + fileName_;
    LoadCall call{this, source, chunkName.c_str()};
    const ScriptOutcome outcome = run(loadBody, &call);
    if (outcome.ok && outcome.limit == ScriptLimit::None) return true;
    const std::string why = outcome.limit == ScriptLimit::None ? outcome.error : limitText(outcome.limit);
    AddChat(world.chat.output, {{ColorError, "Bot: Script " + fileName_ + " did not load: " + why}});
    timers.stopAll();
    sandbox_.reset();
    return false;
}

bool Script::call(const ScriptEvent& event) {
    if (!running()) return false;
    EventCall call{&event};
    const ScriptOutcome outcome = run(eventBody, &call);
    report(outcome, event.function);
    return outcome.ok && call.handled;
}

void Script::tick(int id) {
    auto refs = timers.refs(id);
    if (!refs || !running()) return;
    const ScriptOutcome outcome = run(tickBody, &*refs);
    if (outcome.ok) return;
    // A failing timer would fail again at every tick.
    report(outcome, "timer, now stopped");
    if (const auto stopped = timers.stop(id)) releaseTimer(*stopped);
}

ScriptOutcome Script::run(int (*body)(lua_State*), void* arg) {
    ++busy_;
    ScriptOutcome outcome = sandbox_->run(body, arg);
    --busy_;
    if (busy_ == 0 && switchOffPending_) switchOff();
    return outcome;
}

void Script::releaseTimer(TimerRefs refs) {
    if (running()) run(releaseBody, &refs);
}

void Script::report(const ScriptOutcome& outcome, const std::string& where) {
    if (outcome.ok && outcome.limit == ScriptLimit::None) return;
    const std::string head = "Bot: Script " + fileName_ + ", " + where + ": ";
    if (outcome.limit == ScriptLimit::None) {
        AddChat(world.chat.output, {{ColorError, head + outcome.error}});
        return;
    }
    ++stops_;
    std::string line = head + "stopped, " + limitText(outcome.limit) + " (stop " + std::to_string(stops_) +
                       " of " + std::to_string(MaxStops) + ")";
    if (stops_ >= MaxStops) {
        line += "; the script is switched off until config.bot is reloaded";
        switchOffPending_ = true;
        if (busy_ == 0) switchOff();
    }
    AddChat(world.chat.output, {{ColorError, line + "."}});
}

void Script::switchOff() {
    switchOffPending_ = false;
    timers.stopAll();
    sandbox_.reset();
}

}  // namespace morva
