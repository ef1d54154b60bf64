#include "lua_sandbox.h"

#include <lua.hpp>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace vy {

struct LuaSandbox::Budget {
    LuaLimits limits;
    uint64_t instructions = 0;
    std::chrono::steady_clock::time_point deadline;
    std::size_t memory = 0;
};

namespace {

constexpr int kHookStep = 1000;
constexpr const char* kValuesKey = "vy.sandbox.values";

void* capped_alloc(void* ud, void* block, size_t old_size, size_t new_size)
{
    auto* budget = static_cast<LuaSandbox::Budget*>(ud);
    if (new_size == 0) {
        std::free(block);
        budget->memory -= old_size;
        return nullptr;
    }
    if (new_size > old_size && budget->memory + (new_size - old_size) > budget->limits.memory) {
        return nullptr;
    }
    void* grown = std::realloc(block, new_size);
    if (grown != nullptr) {
        budget->memory = budget->memory - old_size + new_size;
    }
    return grown;
}

LuaSandbox::Budget* budget_of(lua_State* state)
{
    void* ud = nullptr;
    lua_getallocf(state, &ud);
    return static_cast<LuaSandbox::Budget*>(ud);
}

void count_hook(lua_State* state, lua_Debug*)
{
    LuaSandbox::Budget* budget = budget_of(state);
    budget->instructions += kHookStep;
    if (budget->instructions > budget->limits.instructions ||
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

int open_scripting(lua_State* state)
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

int refuse_write(lua_State* state)
{
    return luaL_error(state, "the globals are read-only");
}

// Pushes an empty table whose reads go to the table at `values` and whose
// writes fail.
void push_read_only_view(lua_State* state, int values)
{
    lua_newtable(state);
    lua_createtable(state, 0, 3);
    lua_pushvalue(state, values);
    lua_setfield(state, -2, "__index");
    lua_pushcfunction(state, refuse_write);
    lua_setfield(state, -2, "__newindex");
    lua_pushboolean(state, 0);
    lua_setfield(state, -2, "__metatable");
    lua_setmetatable(state, -2);
}

int open_calculation(lua_State* state)
{
    lua_pushcfunction(state, luaopen_math);
    lua_call(state, 0, 1);
    int full_math = lua_gettop(state);
    lua_createtable(state, 0, 3);
    int math = lua_gettop(state);
    for (const char* name : {"abs", "max", "min"}) {
        lua_getfield(state, full_math, name);
        lua_setfield(state, math, name);
    }
    lua_createtable(state, 0, 4);
    int values = lua_gettop(state);
    push_read_only_view(state, math);
    lua_setfield(state, values, "math");
    lua_pushvalue(state, values);
    lua_setfield(state, LUA_REGISTRYINDEX, kValuesKey);
    push_read_only_view(state, values);
    lua_replace(state, LUA_GLOBALSINDEX);
    lua_settop(state, 0);
    return 0;
}

struct NumberSetting {
    const char* name;
    double value;
};

int set_number_protected(lua_State* state)
{
    auto* setting = static_cast<NumberSetting*>(lua_touserdata(state, 1));
    lua_getfield(state, LUA_REGISTRYINDEX, kValuesKey);
    if (!lua_istable(state, -1)) {
        return luaL_error(state, "not a calculation state");
    }
    lua_pushnumber(state, setting->value);
    lua_setfield(state, -2, setting->name);
    return 0;
}

int run_work(lua_State* state)
{
    auto* work = static_cast<const std::function<void(lua_State*)>*>(lua_touserdata(state, 1));
    lua_pop(state, 1);
    (*work)(state);
    return 0;
}

}  // namespace

LuaSandbox::LuaSandbox(const LuaLimits& limits) : budget_(new Budget)
{
    budget_->limits = limits;
}

LuaSandbox::~LuaSandbox()
{
    close();
}

void LuaSandbox::close()
{
    if (state_ != nullptr) {
        lua_close(state_);
        state_ = nullptr;
    }
    budget_->memory = 0;
}

void LuaSandbox::swap(LuaSandbox& other)
{
    std::swap(state_, other.state_);
    std::swap(budget_, other.budget_);
}

bool LuaSandbox::open(LuaLibraries libraries, std::string* error)
{
    close();
    state_ = lua_newstate(capped_alloc, budget_.get());
    if (state_ == nullptr) {
        *error = "cannot create the script state";
        return false;
    }
    start_budget();
    lua_CFunction opener = libraries == LuaLibraries::kScripting ? open_scripting : open_calculation;
    if (lua_cpcall(state_, opener, nullptr) != 0) {
        *error = pop_error(state_);
        close();
        return false;
    }
    return true;
}

void LuaSandbox::start_budget()
{
    budget_->instructions = 0;
    budget_->deadline = std::chrono::steady_clock::now() + budget_->limits.time;
    if (state_ != nullptr) {
        lua_sethook(state_, count_hook, LUA_MASKCOUNT, kHookStep);
    }
}

bool LuaSandbox::set_number(const char* name, double value)
{
    if (state_ == nullptr || name == nullptr) {
        return false;
    }
    NumberSetting setting{name, value};
    if (lua_cpcall(state_, set_number_protected, &setting) != 0) {
        lua_pop(state_, 1);
        return false;
    }
    return true;
}

bool LuaSandbox::protect(const std::function<void(lua_State*)>& work, std::string* error)
{
    if (state_ == nullptr) {
        return false;
    }
    if (lua_cpcall(state_, run_work, const_cast<std::function<void(lua_State*)>*>(&work)) != 0) {
        std::string message = pop_error(state_);
        if (error != nullptr) {
            *error = message;
        }
        return false;
    }
    return true;
}

std::string LuaSandbox::pop_error(lua_State* state)
{
    const char* text = lua_tostring(state, -1);
    std::string message = text != nullptr ? text : "unknown script error";
    lua_pop(state, 1);
    return message;
}

}  // namespace vy
