#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "scripts/sandbox.h"
#include "scripts/script_event.h"
#include "scripts/script_timers.h"

namespace morva {

class Chat;
class TimerFactory;

// What a script reaches of the bot.
struct ScriptWorld {
    Chat& chat;
    TimerFactory& timers;
};

// One script file, running in a sandbox of its own. An error in a call is told in one error line; a
// call stopped by the memory cap or the instruction budget counts, and the third such stop switches the
// script off until the scripts are loaded again.
class Script {
public:
    static constexpr int MaxStops = 3;

    Script(ScriptWorld& world, std::string fileName);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    const std::string& fileName() const { return fileName_; }
    // The file name without ".lua": the name of the script's data folder.
    std::string name() const;
    // Runs the script's text in a new sandbox; false, after an error line, when it did not load.
    bool load(std::string_view source);
    // Loaded and not switched off.
    bool running() const { return sandbox_ != nullptr; }
    // Calls the global function the event names with its arguments, when the script defines one; true
    // when that function returned true.
    bool call(const ScriptEvent& event);
    // One tick of the script's timer id.
    void tick(int id);

    ScriptWorld& world;
    ScriptTimers timers;
    // Text on its way to the script (what bot.read found) or why an action failed. It lives here rather
    // than in the API function, which Lua may leave by longjmp.
    std::string reply;

private:
    ScriptOutcome run(int (*body)(lua_State*), void* arg);
    void report(const ScriptOutcome& outcome, const std::string& where);
    void releaseTimer(TimerRefs refs);
    void switchOff();

    std::string fileName_;
    std::unique_ptr<Sandbox> sandbox_;
    int stops_ = 0;
    // Calls of this script on the stack: the sandbox is closed only once none is left.
    int busy_ = 0;
    bool switchOffPending_ = false;
};

}  // namespace morva
