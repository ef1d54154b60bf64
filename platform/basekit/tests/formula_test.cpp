// The alarm-formula engine: expressions, refusals, limits, the shared
// compiled chunks, decimal commas and putting temperatures into formulas.
#include "basekit.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

class Engine {
public:
    Engine() { EXPECT_TRUE(vy_calc_formula_init(&handle_)); }
    ~Engine() { vy_calc_formula_uninit(&handle_); }
    void* h() const { return handle_; }

private:
    void* handle_ = nullptr;
};

enum Outcome { kFalse, kTrue, kFails };

struct Case {
    const char* formula;
    Outcome outcome;
};

Outcome evaluate(void* h, const std::string& formula)
{
    bool result = true;
    if (!vy_calc_formula_bool(h, formula.c_str(), &result)) {
        EXPECT_FALSE(result) << formula;
        return kFails;
    }
    return result ? kTrue : kFalse;
}

std::string replaced(const char* text, const char* token, double value)
{
    char buffer[256];
    int length = sizeof(buffer);
    if (vy_replace_formula_token(text, token, value, buffer, &length) != VY_OK) {
        return "<refused>";
    }
    return buffer;
}

}  // namespace

TEST(formula, expressions)
{
    const Case cases[] = {
        // Comparisons and the logical words.
        {"52.3 > 50", kTrue},
        {"52.3 < 50", kFalse},
        {"50 >= 50", kTrue},
        {"50 <= 49.9", kFalse},
        {"1 > 0 and 2 > 1", kTrue},
        {"1 > 0 and 2 < 1", kFalse},
        {"1 < 0 or 2 > 1", kTrue},
        {"not (1 > 2)", kTrue},
        {"not 1 > 2", kFails},  // (not 1) > 2 compares a boolean with a number
        // Precedence: * and / before + and -, arithmetic before comparison,
        // comparison before and, and before or.
        {"2 + 3 * 4 == 14", kTrue},
        {"(2 + 3) * 4 == 20", kTrue},
        {"10 - 4 - 3 == 3", kTrue},
        {"12 / 3 / 2 == 2", kTrue},
        {"1 > 2 and 1 > 2 or 3 > 2", kTrue},
        {"3 > 2 or 1 > 2 and 1 > 2", kTrue},
        {"not (1 > 2) and 2 > 3", kFalse},
        // Unary minus, also as the value of a replaced token.
        {"-5.0 < 50", kTrue},
        {"(-5.0) > -10", kTrue},
        {"- -5 == 5", kTrue},
        {"2 - -3 == 5", kTrue},
        {"-2 * -3 == 6", kTrue},
        {"52.3--5.0 > 50", kFails},  // "--" opens a comment: the result is a number
        {"52.3-(-5.0) > 57", kTrue},
        // Nested functions of any number of arguments.
        {"math.abs(48.1 - 52.3) > 4", kTrue},
        {"math.abs(-3) == 3", kTrue},
        {"math.max(1, 7, 3) == 7", kTrue},
        {"math.min(4, -2, 9) == -2", kTrue},
        {"math.max(math.abs(-8), math.min(3, 9)) == 8", kTrue},
        {"math.abs(math.max(1, 2) - math.min(5, 6)) / 3 == 1", kTrue},
        {"math.abs(52.3 - 48.1) > 5 and 52.3 > 50", kFalse},
        // Comparison chains are not what they look like in Lua: a boolean
        // compared with a number fails the call.
        {"1 < 2 < 3", kFails},
        {"3 > 2 > 1", kFails},
        {"1 < 2 == true", kTrue},
        // Division by zero follows IEEE.
        {"1 / 0 > 1e308", kTrue},
        {"-1 / 0 < -1e308", kTrue},
        {"0 / 0 == 0 / 0", kFalse},
        {"0 / 0 > 0 or 0 / 0 <= 0", kFalse},
        // Results that are not booleans, and words the sandbox lacks.
        {"52.3", kFails},
        {"", kFails},
        {"nil", kFails},
        {"math.abs", kFails},
        {"math.floor(1.5) == 1", kFails},
        {"os.exit(1)", kFails},
        {"print(1) == nil", kFails},
        {"require('io') == nil", kFails},
        {"string.rep('x', 9) == 'x'", kFails},
        {"R01:Max > 50", kFails},
        {"1 > 0, 2", kFails},
        {"1 > 0) or (1", kFails},
        {"(1 > 0", kFails},
        {"1 > 0 -- a comment", kTrue},
        {"0x10 == 16", kTrue},
        {"1e2 == 100 and .5 == 0.5", kTrue},
        {"1.2.3 > 0", kFails},
        {"(...) == nil", kFails},
        {"__n == nil", kFails},
    };
    Engine e;
    for (const Case& c : cases) {
        EXPECT_EQ(evaluate(e.h(), c.formula), c.outcome) << c.formula;
    }
    // The same shapes again, now from compiled chunks, with other numbers.
    EXPECT_EQ(evaluate(e.h(), "49.9 > 50"), kFalse);
    EXPECT_EQ(evaluate(e.h(), "math.abs(58.1 - 52.3) > 5 and 52.3 > 50"), kTrue);
    EXPECT_EQ(evaluate(e.h(), "math.max(1, 7, 30) == 7"), kFalse);
}

TEST(formula, decimal_comma_outside_brackets)
{
    const Case cases[] = {
        {"52.3 > 35,5", kTrue},
        {"35.6 > 35,5", kTrue},
        {"35.4 > 35,5", kFalse},
        {"math.abs(40.0 - 4.5) < 35,55", kTrue},
        {"-35,5 < -35", kTrue},
        // Inside brackets a comma separates arguments.
        {"math.max(35,5) == 35", kTrue},
        {"math.min(1,5) == 1", kTrue},
        // Not a decimal comma: blanks around it, or a point already there.
        {"52.3 > 35, 5", kFails},
        {"52.3 > 35.1,5", kFails},
    };
    Engine e;
    for (const Case& c : cases) {
        EXPECT_EQ(evaluate(e.h(), c.formula), c.outcome) << c.formula;
    }
}

TEST(formula, env_temp_is_unset_until_given)
{
    Engine e;
    EXPECT_EQ(evaluate(e.h(), "52.3 - EnvTemp > 20"), kFails);
    ASSERT_TRUE(vy_calc_formula_set_env_temp(e.h(), 25.0));
    EXPECT_EQ(evaluate(e.h(), "52.3 - EnvTemp > 20"), kTrue);
    ASSERT_TRUE(vy_calc_formula_set_env_temp(e.h(), 40.0));
    EXPECT_EQ(evaluate(e.h(), "52.3 - EnvTemp > 20"), kFalse);
}

TEST(formula, one_formula_cannot_change_another)
{
    Engine e;
    ASSERT_TRUE(vy_calc_formula_set_env_temp(e.h(), 20.0));
    const char* tampering[] = {
        "(function() math.max = function() return 1000 end return true end)()",
        "(function() EnvTemp = 1000 return true end)()",
        "(function() math = nil return true end)()",
        "(function() rawset(math, 'max', nil) return true end)()",
        "(function() getmetatable(math).__index = nil return true end)()",
    };
    for (const char* formula : tampering) {
        EXPECT_EQ(evaluate(e.h(), formula), kFails) << formula;
    }
    EXPECT_EQ(evaluate(e.h(), "math.max(1, 2) == 2 and EnvTemp == 20"), kTrue);
}

TEST(formula, hostile_formulas_end_in_a_failed_call)
{
    Engine e;
    const std::string deep_parentheses = std::string(10000, '(') + "1 > 0" + std::string(10000, ')');
    std::string deep_minus;
    std::string deep_not;
    for (int i = 0; i < 10000; ++i) {
        deep_minus += "- ";
        deep_not += "not ";
    }
    std::string long_sum = "0";
    for (int i = 0; i < 12000; ++i) {
        long_sum += " + 1";
    }
    const std::string hostile[] = {
        deep_parentheses,
        std::string(10000, '(') + "1",
        deep_minus + "1 > 0",
        deep_not + "true",
        "(function() while true do end end)()",
        "(function() local function f() return f() + 1 end return f() end)()",
        "(function() local t = {} for i = 1, 1e9 do t[i] = i end end)()",
        "(function() local s = 'x' while true do s = s .. s end end)()",
        "(function() for i = 1, 1e9 do end return true end)()",
        std::string(70000, ' ') + "1 > 0",
    };
    for (const std::string& formula : hostile) {
        EXPECT_EQ(evaluate(e.h(), formula), kFails) << formula.substr(0, 60);
    }
    // A long but legal formula still runs.
    EXPECT_EQ(evaluate(e.h(), long_sum + " == 12000"), kTrue);
    // The engine stays usable after each refusal.
    EXPECT_EQ(evaluate(e.h(), "52.3 > 50"), kTrue);
}

TEST(formula, many_shapes_and_handles)
{
    Engine e;
    // More shapes than the engine keeps compiled: the oldest are dropped and
    // compiled again when they come back.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 300; ++i) {
            std::string formula = "1" + std::string(i, ' ') + "+ 1 == 2";
            ASSERT_EQ(evaluate(e.h(), formula), kTrue) << i;
        }
    }
    void* handle = nullptr;
    bool result = true;
    EXPECT_FALSE(vy_calc_formula_bool(nullptr, "1 > 0", &result));
    EXPECT_FALSE(result);
    EXPECT_FALSE(vy_calc_formula_bool(e.h(), nullptr, &result));
    EXPECT_FALSE(vy_calc_formula_bool(e.h(), "1 > 0", nullptr));
    EXPECT_FALSE(vy_calc_formula_init(nullptr));
    ASSERT_TRUE(vy_calc_formula_init(&handle));
    void* copy = handle;
    ASSERT_TRUE(vy_calc_formula_uninit(&handle));
    EXPECT_EQ(handle, nullptr);
    EXPECT_FALSE(vy_calc_formula_uninit(&copy));
    EXPECT_FALSE(vy_calc_formula_bool(copy, "1 > 0", &result));
    EXPECT_FALSE(vy_calc_formula_set_env_temp(copy, 20.0));
    int dummy = 0;
    void* foreign = &dummy;
    EXPECT_FALSE(vy_calc_formula_bool(foreign, "1 > 0", &result));
}

TEST(formula, threads_share_one_handle)
{
    Engine e;
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                bool result = false;
                double value = t * 1000 + i;
                std::string formula = std::to_string(value) + " > " + std::to_string(value - 0.5);
                if (!vy_calc_formula_bool(e.h(), formula.c_str(), &result) || !result) {
                    ++wrong[t];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(formula, tokens_are_replaced_whole)
{
    struct Replacement {
        const char* text;
        const char* token;
        double value;
        const char* expected;
    };
    const Replacement cases[] = {
        {"R01:Max > 50", "R01:Max", 52.34, "52.3 > 50"},
        {"R01:Max > 50", "R01:Max", -5.0, "(-5.0) > 50"},
        {"52.3-R02:Max > 5", "R02:Max", -5.0, "52.3-(-5.0) > 5"},
        {"math.abs(R01:Max-R02:Max) > 5", "R01:Max", 52.35, "math.abs(52.4-R02:Max) > 5"},
        {"A:Max > 1 and BA:Max > 2", "A:Max", 3.0, "3.0 > 1 and BA:Max > 2"},
        {"BA:Max > 2", "A:Max", 3.0, "BA:Max > 2"},
        {"A:Maximum > 2", "A:Max", 3.0, "A:Maximum > 2"},
        {"A_A:Max > 2 or 1A:Max > 2", "A:Max", 3.0, "A_A:Max > 2 or 1A:Max > 2"},
        {"\xe7\x82\xb9" "A:Max > 2", "A:Max", 3.0, "\xe7\x82\xb9" "A:Max > 2"},
        {"(A:Max+A:Max)/2>A:Min", "A:Max", 10.04, "(10.0+10.0)/2>A:Min"},
        {"R01:Min > 0", "R01:Max", 1.0, "R01:Min > 0"},
        {"x", "R01:Max", -0.04, "x"},
        {"R01:Max", "R01:Max", -0.04, "(-0.0)"},
        {"R01:Max", "R01:Max", 1e300 * 1e300, "<refused>"},
        {"R01:Max", "", 1.0, "<refused>"},
    };
    for (const Replacement& c : cases) {
        EXPECT_EQ(replaced(c.text, c.token, c.value), c.expected) << c.text << " / " << c.token;
    }
    // The length rule of the other text outputs.
    int length = 0;
    ASSERT_EQ(vy_replace_formula_token("R01:Max > 50", "R01:Max", -5.0, nullptr, &length), VY_OK);
    EXPECT_EQ(length, 11);
    char small[11];
    EXPECT_EQ(vy_replace_formula_token("R01:Max > 50", "R01:Max", -5.0, small, &length), VY_ERR_CAPACITY);
    EXPECT_EQ(length, 11);
}

TEST(formula, replaced_negative_values_evaluate)
{
    Engine e;
    std::string text = "R01:Max-R02:Max > 50";
    text = replaced(text.c_str(), "R01:Max", 52.3);
    text = replaced(text.c_str(), "R02:Max", -5.0);
    EXPECT_EQ(text, "52.3-(-5.0) > 50");
    EXPECT_EQ(evaluate(e.h(), text), kTrue);
}
