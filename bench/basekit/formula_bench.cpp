// Alarm formulas: one condition of five comparisons evaluated per frame by
// the engine, beside the same comparisons written in C++; compiling a new
// formula shape, beside a bare luaL_loadstring of the same text.
#include "basekit.h"

#include <benchmark/benchmark.h>
#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFrames = 64;

struct Frame {
    double max1, max2, min1, avg1, avg2;
};

std::vector<Frame> frames()
{
    std::vector<Frame> out;
    for (int i = 0; i < kFrames; ++i) {
        double t = 40.0 + (i * 37 % 100) * 0.3;
        out.push_back({t, t - 3.5 + (i % 7), t - 20.0, t - 8.0, t - 9.5 + (i % 3)});
    }
    return out;
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), value < 0 ? "(%.1f)" : "%.1f", value);
    return buffer;
}

// The condition text of a frame, as the caller hands it over once its tokens
// are replaced.
std::string condition(const Frame& f)
{
    return number(f.max1) + " > 50 and math.abs(" + number(f.max1) + "-" + number(f.max2) +
           ") > 5 and " + number(f.min1) + " < 30 and " + number(f.avg1) + " >= 35 and " +
           number(f.avg2) + " <= 60";
}

bool condition_in_cpp(const Frame& f)
{
    return f.max1 > 50 && std::abs(f.max1 - f.max2) > 5 && f.min1 < 30 && f.avg1 >= 35 && f.avg2 <= 60;
}

void BM_condition_cpp(benchmark::State& state)
{
    std::vector<Frame> all = frames();
    int i = 0;
    for (auto _ : state) {
        const Frame& f = all[i++ % kFrames];
        benchmark::DoNotOptimize(condition_in_cpp(f));
    }
}

void BM_condition_engine(benchmark::State& state)
{
    std::vector<Frame> all = frames();
    std::vector<std::string> texts;
    for (const Frame& f : all) {
        texts.push_back(condition(f));
    }
    void* engine = nullptr;
    vy_calc_formula_init(&engine);
    int i = 0;
    for (auto _ : state) {
        int index = i++ % kFrames;
        bool met = false;
        if (!vy_calc_formula_bool(engine, texts[index].c_str(), &met) || met != condition_in_cpp(all[index])) {
            state.SkipWithError("the engine disagrees with C++");
            break;
        }
    }
    vy_calc_formula_uninit(&engine);
}

// Shapes differ by the blanks after the first comparison, so each one is new
// to the engine (it keeps 128 and then starts afresh).
std::vector<std::string> new_shapes()
{
    std::vector<std::string> out;
    std::string base = condition(frames()[0]);
    for (int i = 0; i < 1024; ++i) {
        std::string text = base;
        text.insert(text.find(" and"), std::string(i + 1, ' '));
        out.push_back(text);
    }
    return out;
}

void BM_compile_engine(benchmark::State& state)
{
    std::vector<std::string> texts = new_shapes();
    void* engine = nullptr;
    vy_calc_formula_init(&engine);
    std::size_t i = 0;
    for (auto _ : state) {
        bool met = false;
        benchmark::DoNotOptimize(vy_calc_formula_bool(engine, texts[i++ % texts.size()].c_str(), &met));
    }
    vy_calc_formula_uninit(&engine);
}

void BM_compile_loadstring(benchmark::State& state)
{
    std::vector<std::string> texts = new_shapes();
    for (std::string& text : texts) {
        text = "return (" + text + ")";
    }
    lua_State* lua = luaL_newstate();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(luaL_loadstring(lua, texts[i++ % texts.size()].c_str()));
        lua_pop(lua, 1);
    }
    lua_close(lua);
}

}  // namespace

BENCHMARK(BM_condition_cpp);
BENCHMARK(BM_condition_engine);
BENCHMARK(BM_compile_loadstring);
BENCHMARK(BM_compile_engine);
BENCHMARK_MAIN();
