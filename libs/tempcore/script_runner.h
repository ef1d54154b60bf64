// A sandboxed Lua 5.1 state for calibration scripts: the base library
// without the loaders, plus math, string and table; an instruction limit per
// call and a memory cap. No script error can end the process.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

struct lua_State;

namespace tempcore {
namespace detail {

// What one call may spend; kept outside the state so that the hook and the
// allocator can reach it.
struct ScriptBudget {
    uint64_t instructions = 0;
    std::chrono::steady_clock::time_point deadline;
    std::size_t memory = 0;
};

class ScriptRunner {
public:
    static constexpr uint64_t kInstructionLimit = 10000000;
    // Also a time limit: C functions (string.rep, error handling) do much
    // work between two counted instructions.
    static constexpr std::chrono::milliseconds kTimeLimit{500};
    static constexpr std::size_t kMemoryLimit = 32u << 20;

    ScriptRunner() = default;
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Makes a fresh state and runs the text once. False, with the reason in
    // *error, when the text does not compile or its run fails.
    bool load(const std::string& text, std::string* error);
    bool loaded() const { return state_ != nullptr; }
    void swap(ScriptRunner& other);

    // Calls the global function `name` with numeric arguments and reads
    // `result_count` numeric results. False when the global is no function,
    // the call raises an error or a result is not a number.
    bool call(const char* name, const double* args, int arg_count, double* results,
              int result_count, std::string* error);

private:
    void close();

    void start_budget();

    lua_State* state_ = nullptr;
    ScriptBudget* budget_ = nullptr;
};

}  // namespace detail
}  // namespace tempcore
