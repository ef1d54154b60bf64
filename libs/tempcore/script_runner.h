// The calibration scripts: each runs in the shared sandboxed Lua state with
// the scripting libraries; an instruction limit per call and a memory cap.
// No script error can end the process.
#pragma once

#include "lua_sandbox.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tempcore {
namespace detail {

class ScriptRunner {
public:
    static constexpr uint64_t kInstructionLimit = 10000000;
    // Also a time limit: C functions (string.rep, error handling) do much
    // work between two counted instructions.
    static constexpr std::chrono::milliseconds kTimeLimit{500};
    static constexpr std::size_t kMemoryLimit = 32u << 20;

    ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Makes a fresh state and runs the text once. False, with the reason in
    // *error, when the text does not compile or its run fails.
    bool load(const std::string& text, std::string* error);
    bool loaded() const { return sandbox_.is_open(); }
    void swap(ScriptRunner& other);

    // Calls the global function `name` with numeric arguments and reads
    // `result_count` numeric results. False when the global is no function,
    // the call raises an error or a result is not a number.
    bool call(const char* name, const double* args, int arg_count, double* results,
              int result_count, std::string* error);

private:
    vy::LuaSandbox sandbox_;
};

}  // namespace detail
}  // namespace tempcore
