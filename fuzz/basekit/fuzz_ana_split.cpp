// Counting and iterating list strings of analysis objects.
#include "basekit.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    int count = 0;
    bool counted = vy_parse_anas_count_of_anas_str(text.c_str(), &count) == VY_OK;
    char buffer[VY_ANA_STR_CAPACITY];
    int position = 0;
    int length = sizeof(buffer);
    int pieces = 0;
    int result = vy_get_first_ana_from_anas_str(text.c_str(), &position, buffer, &length);
    while (result == VY_OK) {
        ++pieces;
        int nodes = 0;
        if (vy_parse_pts_from_ana_str(buffer, nullptr, &nodes) != VY_OK) {
            __builtin_trap();  // every piece the splitter returns parses
        }
        length = sizeof(buffer);
        result = vy_get_next_ana_from_anas_str(text.c_str(), &position, buffer, &length);
    }
    if (counted && pieces != count) {
        __builtin_trap();
    }
    return 0;
}
