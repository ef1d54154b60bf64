// The one sandboxed Lua 5.1 state of the libraries, used by the calibration
// scripts and the alarm formulas: no files, no loaders, no os; an instruction
// and time limit per run and a memory cap. No script error can end the
// process as long as every call into the state is protected.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct lua_State;

namespace vy {

struct LuaLimits {
    uint64_t instructions;
    // Also a time limit: C functions (string.rep, error handling) do much
    // work between two counted instructions.
    std::chrono::milliseconds time;
    std::size_t memory;
};

enum class LuaLibraries {
    // The base library without its loaders, math, string (long patterns
    // refused) and table.
    kScripting,
    // math.abs, math.max and math.min only; the globals are read-only, so
    // nothing one run does can change the next.
    kCalculation,
};

class LuaSandbox {
public:
    struct Budget;

    explicit LuaSandbox(const LuaLimits& limits);
    ~LuaSandbox();
    LuaSandbox(const LuaSandbox&) = delete;
    LuaSandbox& operator=(const LuaSandbox&) = delete;

    // Replaces any open state by a fresh one. False, with the reason in
    // *error, when the state cannot be made.
    bool open(LuaLibraries libraries, std::string* error);
    void close();
    bool is_open() const { return state_ != nullptr; }
    lua_State* state() const { return state_; }
    void swap(LuaSandbox& other);

    // Starts the instruction and time budget of one run.
    void start_budget();

    // kCalculation only: sets a read-only global number, e.g. a constant
    // that formulas may name. False when the state is not open or the
    // setting runs out of memory.
    bool set_number(const char* name, double value);

    // Runs `work` inside lua_cpcall, so that a memory or script error it
    // raises is caught; false, with the message in *error when given. A Lua
    // error jumps over `work`'s frame: it must hold no objects with
    // destructors.
    bool protect(const std::function<void(lua_State*)>& work, std::string* error = nullptr);

    // Pops the error message on top of the stack.
    static std::string pop_error(lua_State* state);

private:
    lua_State* state_ = nullptr;
    std::unique_ptr<Budget> budget_;
};

}  // namespace vy
