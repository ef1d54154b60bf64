#include "script_runner.h"

#include <lua.hpp>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace tempcore {
namespace detail {
namespace {

constexpr int kHookStep = 1000;

void* capped_alloc(void* ud, void* block, size_t old_size, size_t new_size)
{
    auto* memory = static_cast<std::size_t*>(ud);
    if (new_size == 0) {
        std::free(block);
        *memory -= old_size;
        return nullptr;
    }
    if (new_size > old_size && *memory + (new_size - old_size) > ScriptRunner::kMemoryLimit) {
        return nullptr;
    }
    void* grown = std::realloc(block, new_size);
    if (grown != nullptr) {
        *memory = *memory - old_size + new_size;
    }
    return grown;
}

ScriptBudget* budget_of(lua_State* state)
{
    lua_getfield(state, LUA_REGISTRYINDEX, "tempcore.budget");
    auto* budget = static_cast<ScriptBudget*>(lua_touserdata(state, -1));
    lua_pop(state, 1);
    return budget;
}

void count_hook(lua_State* state, lua_Debug*)
{
    ScriptBudget* budget = budget_of(state);
    budget->instructions += kHookStep;
    if (budget->instructions > ScriptRunner::kInstructionLimit ||
        std::chrono::steady_clock::now() > budget->deadline) {
        // From now on every instruction fails, so that a script that catches
        // the error with pcall cannot go on looping.
        lua_sethook(state, count_hook, LUA_MASKCOUNT, 1);
        luaL_error(state, "instruction or time limit reached");
    }
}

// Lua 5.1's pattern matcher recurses once per pattern item without a depth
// limit, so a long pattern could overflow the C stack. Patterns are capped.
constexpr const char* kPatternGuard = R"lua(
local error, type = error, type
local function capped(match)
    return function(s, pattern, ...)
        if type(pattern) == "string" and #pattern > 200 then
            error("pattern longer than 200 characters", 2)
        end
        return match(s, pattern, ...)
    end
end
string.find = capped(string.find)
string.match = capped(string.match)
string.gmatch = capped(string.gmatch)
string.gsub = capped(string.gsub)
)lua";

int open_sandbox(lua_State* state)
{
    const lua_CFunction libraries[] = {luaopen_base, luaopen_math, luaopen_string, luaopen_table};
    for (lua_CFunction open : libraries) {
        lua_pushcfunction(state, open);
        lua_call(state, 0, 0);
    }
    // Nothing may reach files or compile further code from inside a script.
    for (const char* name : {"dofile", "loadfile", "load", "loadstring", "require", "module"}) {
        lua_pushnil(state);
        lua_setglobal(state, name);
    }
    if (luaL_loadbuffer(state, kPatternGuard, std::strlen(kPatternGuard), "sandbox") != 0) {
        return lua_error(state);
    }
    lua_call(state, 0, 0);
    return 0;
}

struct CallFrame {
    const char* name;
    const double* args;
    int arg_count;
    double* results;
    int result_count;
    bool not_function;
    bool bad_result;
};

// Runs inside lua_cpcall so that even an allocation failure while pushing
// the arguments is caught.
int protected_call(lua_State* state)
{
    auto* frame = static_cast<CallFrame*>(lua_touserdata(state, 1));
    lua_getglobal(state, frame->name);
    if (!lua_isfunction(state, -1)) {
        frame->not_function = true;
        return 0;
    }
    for (int i = 0; i < frame->arg_count; ++i) {
        lua_pushnumber(state, frame->args[i]);
    }
    lua_call(state, frame->arg_count, frame->result_count);
    for (int i = 0; i < frame->result_count; ++i) {
        int index = -frame->result_count + i;
        if (lua_type(state, index) != LUA_TNUMBER) {
            frame->bad_result = true;
            return 0;
        }
        frame->results[i] = lua_tonumber(state, index);
    }
    return 0;
}

std::string pop_error(lua_State* state)
{
    const char* text = lua_tostring(state, -1);
    std::string message = text != nullptr ? text : "unknown script error";
    lua_pop(state, 1);
    return message;
}

}  // namespace

ScriptRunner::~ScriptRunner()
{
    close();
}

void ScriptRunner::close()
{
    if (state_ != nullptr) {
        lua_close(state_);
        state_ = nullptr;
    }
    delete budget_;
    budget_ = nullptr;
}

void ScriptRunner::swap(ScriptRunner& other)
{
    std::swap(state_, other.state_);
    std::swap(budget_, other.budget_);
}

bool ScriptRunner::load(const std::string& text, std::string* error)
{
    close();
    budget_ = new ScriptBudget;
    state_ = lua_newstate(capped_alloc, &budget_->memory);
    if (state_ == nullptr) {
        *error = "cannot create the script state";
        close();
        return false;
    }
    lua_pushlightuserdata(state_, budget_);
    lua_setfield(state_, LUA_REGISTRYINDEX, "tempcore.budget");
    start_budget();
    if (lua_cpcall(state_, open_sandbox, nullptr) != 0) {
        *error = pop_error(state_);
        close();
        return false;
    }
    if (luaL_loadbuffer(state_, text.data(), text.size(), "calibration") != 0 ||
        lua_pcall(state_, 0, 0, 0) != 0) {
        *error = pop_error(state_);
        close();
        return false;
    }
    return true;
}

void ScriptRunner::start_budget()
{
    budget_->instructions = 0;
    budget_->deadline = std::chrono::steady_clock::now() + kTimeLimit;
    lua_sethook(state_, count_hook, LUA_MASKCOUNT, kHookStep);
}

bool ScriptRunner::call(const char* name, const double* args, int arg_count, double* results,
                        int result_count, std::string* error)
{
    if (state_ == nullptr) {
        *error = "no script is loaded";
        return false;
    }
    CallFrame frame{name, args, arg_count, results, result_count, false, false};
    start_budget();
    int top = lua_gettop(state_);
    int status = lua_cpcall(state_, protected_call, &frame);
    bool ok = true;
    if (status != 0) {
        *error = pop_error(state_);
        ok = false;
    } else if (frame.not_function) {
        *error = std::string(name) + " is not a function";
        ok = false;
    } else if (frame.bad_result) {
        *error = std::string(name) + " returned a value that is not a number";
        ok = false;
    }
    lua_settop(state_, top);
    return ok;
}

}  // namespace detail
}  // namespace tempcore
