#pragma once

#include <string>
#include <vector>

namespace morva {

// One call into the scripts: the global function a script defines to hear it, and its arguments.
struct ScriptEvent {
    const char* function;
    std::vector<std::string> args;
};

}  // namespace morva
