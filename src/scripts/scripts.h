#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

#include "scripts/script.h"
#include "scripts/script_event.h"

namespace morva {

class Chat;
class TimerFactory;

// The operator's Lua scripts: every *.lua file of the folder Scripts below the profile, each in a
// sandbox of its own, called in the order of their file names.
class Scripts {
public:
    Scripts(Chat& chat, TimerFactory& timers);
    Scripts(const Scripts&) = delete;
    Scripts& operator=(const Scripts&) = delete;

    // Ends every script, then loads the folder's scripts anew when [Scripts] Enabled allows them.
    void load();
    // Tells every running script of something that happened. What happens while a script runs (a line it
    // sends may be answered at once) waits until it returns, so scripts hear events in arrival order.
    void notify(ScriptEvent event);
    // Offers an event to each running script in turn until one returns true; whether one did.
    bool offer(const ScriptEvent& event);
    // The scripts that loaded and are not switched off.
    std::size_t running() const;

private:
    void loadFile(const std::filesystem::path& path);

    ScriptWorld world_;
    std::vector<std::unique_ptr<Script>> scripts_;
    std::deque<ScriptEvent> waiting_;
    bool delivering_ = false;
};

}  // namespace morva
