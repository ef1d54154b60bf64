#include "script_runner.h"

#include <lua.hpp>

#include <utility>

namespace tempcore {
namespace detail {
namespace {

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

}  // namespace

ScriptRunner::ScriptRunner() : sandbox_({kInstructionLimit, kTimeLimit, kMemoryLimit}) {}

void ScriptRunner::swap(ScriptRunner& other)
{
    sandbox_.swap(other.sandbox_);
}

bool ScriptRunner::load(const std::string& text, std::string* error)
{
    if (!sandbox_.open(vy::LuaLibraries::kScripting, error)) {
        return false;
    }
    lua_State* state = sandbox_.state();
    sandbox_.start_budget();
    if (luaL_loadbuffer(state, text.data(), text.size(), "calibration") != 0 ||
        lua_pcall(state, 0, 0, 0) != 0) {
        *error = vy::LuaSandbox::pop_error(state);
        sandbox_.close();
        return false;
    }
    return true;
}

bool ScriptRunner::call(const char* name, const double* args, int arg_count, double* results,
                        int result_count, std::string* error)
{
    lua_State* state = sandbox_.state();
    if (state == nullptr) {
        *error = "no script is loaded";
        return false;
    }
    CallFrame frame{name, args, arg_count, results, result_count, false, false};
    sandbox_.start_budget();
    int top = lua_gettop(state);
    int status = lua_cpcall(state, protected_call, &frame);
    bool ok = true;
    if (status != 0) {
        *error = vy::LuaSandbox::pop_error(state);
        ok = false;
    } else if (frame.not_function) {
        *error = std::string(name) + " is not a function";
        ok = false;
    } else if (frame.bad_result) {
        *error = std::string(name) + " returned a value that is not a number";
        ok = false;
    }
    lua_settop(state, top);
    return ok;
}

}  // namespace detail
}  // namespace tempcore
