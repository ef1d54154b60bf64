// A sandboxed Lua 5.1 state for calibration scripts: the base library
// without the loaders, plus math, string and table; an instruction limit per
// call and a memory cap. No script error can end the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct lua_State;

namespace tempcore {
namespace detail {

class ScriptRunner {
public:
    static constexpr uint64_t kInstructionLimit = 10000000;
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

    lua_State* state_ = nullptr;
    // Kept outside the state so that the hooks and the allocator can reach them.
    struct Budget {
        uint64_t instructions = 0;
        std::size_t memory = 0;
    };
    Budget* budget_ = nullptr;
};

}  // namespace detail
}  // namespace tempcore
