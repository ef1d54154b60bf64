// Splits a formula into a template, in which every decimal number is read
// from the argument table instead, and the numbers themselves. Formulas whose
// numbers change from frame to frame then share one compiled chunk.
#pragma once

#include <string>
#include <vector>

namespace basekit {
namespace detail {

// The name under which the compiled chunk reads its numbers; a formula that
// names it is refused.
constexpr const char* kNumbersName = "__n";

struct FormulaTemplate {
    std::string text;
    std::vector<double> numbers;
};

// Tokenises like the Lua 5.1 lexer. A comma between digits outside every
// bracket cannot separate arguments, so "35,5" there is a decimal comma and
// reads as 35.5. Numbers that do not parse as plain decimals (hexadecimal,
// malformed) stay in the text for the compiler to judge. False when the
// formula names kNumbersName or "...", or closes a bracket it did not open.
bool make_formula_template(const char* formula, FormulaTemplate* out);

}  // namespace detail
}  // namespace basekit
