// Putting the temperatures of analysis objects into a formula's text.
#include "basekit.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace {

bool is_token_char(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
           u >= 0x80;
}

}  // namespace

int vy_replace_formula_token(const char* text, const char* token, double value, char* buffer,
                             int* length)
{
    if (text == nullptr || token == nullptr || token[0] == '\0' || length == nullptr ||
        !std::isfinite(value)) {
        return VY_ERR_ARGUMENT;
    }
    char digits[400];
    auto written = std::to_chars(digits, digits + sizeof(digits), value, std::chars_format::fixed, 1);
    if (written.ec != std::errc()) {
        return VY_ERR_ARGUMENT;
    }
    std::string number(digits, written.ptr);
    if (number[0] == '-') {
        number = "(" + number + ")";
    }
    const std::size_t token_size = std::strlen(token);
    std::string out;
    const char* p = text;
    while (const char* found = std::strstr(p, token)) {
        const char* after = found + token_size;
        bool whole = (found == text || !is_token_char(found[-1])) && !is_token_char(*after);
        out.append(p, found);
        if (whole) {
            out += number;
        } else {
            out.append(found, after);
        }
        p = after;
    }
    out += p;
    if (out.size() + 1 > static_cast<std::size_t>(INT32_MAX)) {
        return VY_ERR_CAPACITY;
    }
    int capacity = *length;
    *length = static_cast<int>(out.size());
    if (buffer == nullptr) {
        return VY_OK;
    }
    if (capacity < *length + 1) {
        return VY_ERR_CAPACITY;
    }
    std::memcpy(buffer, out.c_str(), out.size() + 1);
    return VY_OK;
}
