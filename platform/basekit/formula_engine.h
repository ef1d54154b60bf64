// The alarm-formula engine behind vy_calc_formula_*: a sandboxed calculation
// state that compiles each formula shape once and runs the compiled chunk
// with the formula's numbers on every evaluation.
#pragma once

#include "lua_sandbox.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <list>
#include <string>
#include <unordered_map>

namespace basekit {
namespace detail {

constexpr const char* kFormulaTag = "basekit.formula";

class FormulaEngine : public _VYBaseObject {
public:
    static constexpr uint64_t kInstructionLimit = 200000;
    static constexpr std::chrono::milliseconds kTimeLimit{100};
    static constexpr std::size_t kMemoryLimit = 8u << 20;
    static constexpr std::size_t kMaxFormulaBytes = 64u << 10;
    static constexpr std::size_t kMaxCompiled = 128;

    FormulaEngine();
    ~FormulaEngine() override;

    // False when the state could not be made; the object is then unusable.
    bool ready() const { return sandbox_.is_open(); }

    // False when the text is refused, does not compile, fails while running
    // or yields anything but a boolean.
    bool evaluate(const char* formula, bool* result);
    bool set_env_temp(double temperature);

private:
    struct Compiled {
        int reference;  // LUA_NOREF when the shape did not compile
        bool failure_logged;
    };

    Compiled* compile(const std::string& shape);
    void forget_compiled();

    VyLock lock_{"formula engine"};
    vy::LuaSandbox sandbox_;
    int numbers_reference_;
    std::unordered_map<std::string, Compiled> compiled_;
};

}  // namespace detail
}  // namespace basekit
