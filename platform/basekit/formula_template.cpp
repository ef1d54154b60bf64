#include "formula_template.h"

#include <charconv>
#include <cstring>

namespace basekit {
namespace detail {
namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

bool is_name_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || is_digit(c);
}

// Length of a long bracket opener "[", "="*, "[" at p (its level in *level),
// or 0.
std::size_t long_bracket(const char* p, int* level)
{
    if (p[0] != '[') {
        return 0;
    }
    std::size_t i = 1;
    while (p[i] == '=') {
        ++i;
    }
    if (p[i] != '[') {
        return 0;
    }
    *level = static_cast<int>(i - 1);
    return i + 1;
}

// End of a long string or comment body whose opener ended at p: just past
// the closing bracket, or the end of the text when it is unterminated.
const char* skip_long(const char* p, int level)
{
    for (; *p != '\0'; ++p) {
        if (*p != ']') {
            continue;
        }
        const char* q = p + 1;
        int equals = 0;
        while (*q == '=') {
            ++equals;
            ++q;
        }
        if (equals == level && *q == ']') {
            return q + 1;
        }
    }
    return p;
}

// The span the Lua lexer reads as one numeral starting at p.
const char* numeral_end(const char* p)
{
    while (is_digit(*p) || *p == '.') {
        ++p;
    }
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-') {
            ++p;
        }
    }
    while (is_name_char(*p)) {
        ++p;
    }
    return p;
}

bool parse_whole(const std::string& text, double* value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    auto parsed = std::from_chars(first, last, *value, std::chars_format::general);
    return parsed.ec == std::errc() && parsed.ptr == last;
}

bool all_digits(const char* first, const char* last)
{
    for (const char* p = first; p < last; ++p) {
        if (!is_digit(*p)) {
            return false;
        }
    }
    return first < last;
}

}  // namespace

bool make_formula_template(const char* formula, FormulaTemplate* out)
{
    out->text.clear();
    out->numbers.clear();
    int depth = 0;
    const char* p = formula;
    while (*p != '\0') {
        char c = *p;
        int level = 0;
        if (c == '-' && p[1] == '-') {
            const char* end = nullptr;
            std::size_t opener = long_bracket(p + 2, &level);
            if (opener != 0) {
                end = skip_long(p + 2 + opener, level);
            } else {
                end = p + 2 + std::strcspn(p + 2, "\n");
            }
            out->text.append(p, end);
            p = end;
        } else if (std::size_t opener = long_bracket(p, &level); opener != 0) {
            const char* end = skip_long(p + opener, level);
            out->text.append(p, end);
            p = end;
        } else if (c == '"' || c == '\'') {
            const char* end = p + 1;
            while (*end != '\0' && *end != c && *end != '\n') {
                end += (end[0] == '\\' && end[1] != '\0') ? 2 : 1;
            }
            if (*end == c) {
                ++end;
            }
            out->text.append(p, end);
            p = end;
        } else if (c == '.' && p[1] == '.') {
            if (p[2] == '.') {
                return false;
            }
            out->text.append("..");
            p += 2;
        } else if (is_digit(c) || (c == '.' && is_digit(p[1]))) {
            const char* end = numeral_end(p);
            std::string numeral(p, end);
            if (depth == 0 && all_digits(p, end) && end[0] == ',' && is_digit(end[1])) {
                const char* fraction_end = numeral_end(end + 1);
                std::string merged = numeral + "." + std::string(end + 1, fraction_end);
                double value = 0;
                if (parse_whole(merged, &value)) {
                    numeral = merged;
                    end = fraction_end;
                }
            }
            double value = 0;
            if (parse_whole(numeral, &value)) {
                out->numbers.push_back(value);
                out->text += ' ';
                out->text += kNumbersName;
                out->text += '[' + std::to_string(out->numbers.size()) + "] ";
            } else {
                out->text += numeral;
            }
            p = end;
        } else if (is_name_char(c)) {
            const char* end = p;
            while (is_name_char(*end)) {
                ++end;
            }
            if (static_cast<std::size_t>(end - p) == std::strlen(kNumbersName) &&
                std::strncmp(p, kNumbersName, end - p) == 0) {
                return false;
            }
            out->text.append(p, end);
            p = end;
        } else {
            if (c == '(' || c == '[' || c == '{') {
                ++depth;
            } else if ((c == ')' || c == ']' || c == '}') && --depth < 0) {
                // A closing bracket without its opener would let the text
                // end the parentheses that the engine puts around it.
                return false;
            }
            out->text += c;
            ++p;
        }
    }
    return true;
}

}  // namespace detail
}  // namespace basekit
