#include "formula_engine.h"

#include "basekit.h"
#include "formula_template.h"
#include "handle_registry.h"
#include "logline.h"

#include <lua.hpp>

#include <cstring>

#define FORMULA_LOG(...) \
    logline_print(LOGLINE_ERROR, "formula", __FILE__, __LINE__, __func__, __VA_ARGS__)

namespace basekit {
namespace detail {
namespace {

const char* message_or(const char* text)
{
    return text != nullptr ? text : "unknown error";
}

}  // namespace

FormulaEngine::FormulaEngine()
    : _VYBaseObject(kFormulaTag),
      sandbox_({kInstructionLimit, kTimeLimit, kMemoryLimit}),
      numbers_reference_(LUA_NOREF)
{
    std::string error;
    if (!sandbox_.open(vy::LuaLibraries::kCalculation, &error) ||
        !sandbox_.protect(
            [this](lua_State* state) {
                lua_newtable(state);
                numbers_reference_ = luaL_ref(state, LUA_REGISTRYINDEX);
            },
            &error)) {
        FORMULA_LOG("cannot make the formula state: %s", error.c_str());
        sandbox_.close();
    }
}

FormulaEngine::~FormulaEngine() = default;

void FormulaEngine::forget_compiled()
{
    sandbox_.protect([this](lua_State* state) {
        for (auto& entry : compiled_) {
            luaL_unref(state, LUA_REGISTRYINDEX, entry.second.reference);
        }
    });
    compiled_.clear();
    lua_gc(sandbox_.state(), LUA_GCCOLLECT, 0);
}

FormulaEngine::Compiled* FormulaEngine::compile(const std::string& shape)
{
    auto found = compiled_.find(shape);
    if (found != compiled_.end()) {
        return &found->second;
    }
    if (compiled_.size() >= kMaxCompiled) {
        forget_compiled();
    }
    // The parentheses make the formula one expression with one value; the
    // line breaks keep a trailing comment from swallowing the closing one.
    std::string chunk = "local ";
    chunk += kNumbersName;
    chunk += " = ... return (\n" + shape + "\n)";
    Compiled compiled{LUA_NOREF, false};
    int status = 0;
    std::string error;
    auto load = [&](lua_State* state) {
        status = luaL_loadbuffer(state, chunk.data(), chunk.size(), "formula");
        if (status == 0) {
            compiled.reference = luaL_ref(state, LUA_REGISTRYINDEX);
        } else {
            error = message_or(lua_tostring(state, -1));
        }
    };
    sandbox_.start_budget();
    bool protected_ok = sandbox_.protect(load, &error);
    if (protected_ok && status == LUA_ERRMEM && !compiled_.empty()) {
        forget_compiled();
        protected_ok = sandbox_.protect(load, &error);
    }
    if (!protected_ok || status == LUA_ERRMEM) {
        // Short of memory: nothing is kept, so a later call tries again.
        FORMULA_LOG("formula not compiled: %s", error.c_str());
        return nullptr;
    }
    if (status != 0) {
        FORMULA_LOG("formula refused: %s", error.c_str());
        compiled.failure_logged = true;
    }
    return &compiled_.emplace(shape, compiled).first->second;
}

bool FormulaEngine::evaluate(const char* formula, bool* result)
{
    if (strnlen(formula, kMaxFormulaBytes + 1) > kMaxFormulaBytes) {
        FORMULA_LOG("formula longer than %zu bytes refused", kMaxFormulaBytes);
        return false;
    }
    FormulaTemplate parts;
    if (!make_formula_template(formula, &parts)) {
        FORMULA_LOG("formula refused: %.80s", formula);
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard || !ready()) {
        return false;
    }
    Compiled* compiled = compile(parts.text);
    if (compiled == nullptr || compiled->reference == LUA_NOREF) {
        return false;
    }
    const int function = compiled->reference;
    bool is_boolean = false;
    bool value = false;
    std::string error;
    sandbox_.start_budget();
    bool ok = sandbox_.protect(
        [&](lua_State* state) {
            lua_rawgeti(state, LUA_REGISTRYINDEX, function);
            lua_rawgeti(state, LUA_REGISTRYINDEX, numbers_reference_);
            int index = 1;
            for (double number : parts.numbers) {
                lua_pushnumber(state, number);
                lua_rawseti(state, -2, index++);
            }
            lua_call(state, 1, 1);
            is_boolean = lua_type(state, -1) == LUA_TBOOLEAN;
            value = lua_toboolean(state, -1) != 0;
        },
        &error);
    if (!ok || !is_boolean) {
        // One line per formula shape: the same formula fails on every frame.
        if (!compiled->failure_logged) {
            compiled->failure_logged = true;
            FORMULA_LOG("formula failed: %s", ok ? "the result is not a boolean" : error.c_str());
        }
        return false;
    }
    *result = value;
    return true;
}

bool FormulaEngine::set_env_temp(double temperature)
{
    VyLockGuard guard(lock_);
    return guard && sandbox_.set_number("EnvTemp", temperature);
}

}  // namespace detail
}  // namespace basekit

using basekit::detail::FormulaEngine;

namespace {

FormulaEngine* engine_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, basekit::detail::kFormulaTag)) {
        return nullptr;
    }
    return static_cast<FormulaEngine*>(static_cast<_VYBaseObject*>(handle));
}

}  // namespace

bool vy_calc_formula_init(void** handle)
{
    if (!vy::create_handle<FormulaEngine>(handle)) {
        return false;
    }
    if (!engine_of(*handle)->ready()) {
        vy::destroy_handle(handle, basekit::detail::kFormulaTag);
        return false;
    }
    return true;
}

bool vy_calc_formula_uninit(void** handle)
{
    return vy::destroy_handle(handle, basekit::detail::kFormulaTag);
}

bool vy_calc_formula_bool(void* handle, const char* formula, bool* result)
{
    if (result == nullptr) {
        return false;
    }
    *result = false;
    FormulaEngine* engine = engine_of(handle);
    if (engine == nullptr || formula == nullptr) {
        return false;
    }
    bool value = false;
    bool ok = engine->evaluate(formula, &value);
    *result = ok && value;
    return ok;
}

bool vy_calc_formula_set_env_temp(void* handle, double temperature)
{
    FormulaEngine* engine = engine_of(handle);
    return engine != nullptr && engine->set_env_temp(temperature);
}
