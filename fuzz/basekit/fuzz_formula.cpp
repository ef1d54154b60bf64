// The alarm-formula engine on arbitrary text: no crash, no hang, and a
// formula whose shape is already compiled answers as it did the first time.
#include "basekit.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One engine for the whole run, as a source keeps one for its life, so
    // that compiled shapes pile up the way they do in the program.
    static void* engine = [] {
        void* handle = nullptr;
        if (!vy_calc_formula_init(&handle) || !vy_calc_formula_set_env_temp(handle, 21.5)) {
            __builtin_trap();
        }
        return handle;
    }();
    std::string text(reinterpret_cast<const char*>(data), size);
    bool first = false;
    bool second = false;
    bool first_ok = vy_calc_formula_bool(engine, text.c_str(), &first);
    bool second_ok = vy_calc_formula_bool(engine, text.c_str(), &second);
    // A limit may be reached by time on one run and not the other, so only
    // two successes must agree.
    if (first_ok && second_ok && first != second) {
        __builtin_trap();
    }
    if (!first_ok && first) {
        __builtin_trap();
    }
    char replaced[512];
    int length = sizeof(replaced);
    vy_replace_formula_token(text.c_str(), "R01:Max", -5.0, replaced, &length);
    return 0;
}
