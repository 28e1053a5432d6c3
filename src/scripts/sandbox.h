#pragma once

#include <cstddef>
#include <string>

struct lua_State;
struct lua_Debug;

namespace morva {

// Which of its limits cut a call into a script short.
enum class ScriptLimit { None, Memory, Instructions };

// How a protected call into a script ended.
struct ScriptOutcome {
    bool ok = true;
    ScriptLimit limit = ScriptLimit::None;
    // The script's error message, when the call failed.
    std::string error;
};

// The Lua state of one script: a memory cap through its allocator, an instruction budget per call and
// a limit on nested calls through a count hook, and only the libraries that cannot reach beyond the bot.
// Lua raises its errors by longjmp: every function that Lua runs (the bodies handed to run, the API)
// holds no C++ object with a destructor while it calls into Lua.
class Sandbox {
public:
    static constexpr std::size_t MemoryCap = std::size_t{32} << 20;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // A fuzzer drives scripts into runaway calls thousands of times a minute: a smaller budget stops
    // each in the same way, sooner, and leaves its time to the inputs that find new paths.
    static constexpr long long InstructionBudget = 100'000;
#else
    static constexpr long long InstructionBudget = 10'000'000;
#endif
    static constexpr int MaxCallDepth = 50'000;

    // Throws std::bad_alloc when no state could be made.
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    lua_State* state() const { return state_; }
    // Runs body(arg), arg as a light userdata, protected: a Lua error, a failed allocation or the end of
    // the budget ends it and is told in the outcome. A call made from inside another one shares its budget.
    ScriptOutcome run(int (*body)(lua_State*), void* arg);
    // Opens the libraries a script may use, without what reaches files, programs, the loader or
    // Lua's internals; load takes only text and setmetatable no finalizer. For a body run by run().
    static void OpenLibraries(lua_State* L);
    // What is left of the instruction budget of the running call, for work done in C.
    static long long Remaining(lua_State* L);
    // Counts steps of work done in C as instructions; past the budget, stops the call as the count
    // hook does.
    static void Spend(lua_State* L, long long steps);

private:
    static void* allocate(void* self, void* block, std::size_t oldSize, std::size_t newSize) noexcept;
    static void countHook(lua_State* L, lua_Debug* where);
    static void stopWhenSpent(lua_State* L);
    static Sandbox& of(lua_State* L);

    lua_State* state_ = nullptr;
    std::size_t bytes_ = 0;
    long long instructions_ = 0;
    bool overBudget_ = false;
    int depth_ = 0;
};

}  // namespace morva
