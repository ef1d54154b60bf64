// Single-object parsers of analysis strings: type, nodes, alias.
#include "basekit.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    const char* c = text.c_str();
    int count = 0;
    if (vy_parse_pts_from_ana_str(c, nullptr, &count) == VY_OK) {
        tagVYPoint nodes[VY_ANA_MAX_POLY_NODES];
        int capacity = VY_ANA_MAX_POLY_NODES;
        if (vy_parse_pts_from_ana_str(c, nodes, &capacity) != VY_OK || capacity != count) {
            __builtin_trap();
        }
        AnaType type;
        if (vy_parse_ana_type_of_char(c[0], &type) != VY_OK) {
            __builtin_trap();
        }
        // What parses formats back to the same node list.
        char again[VY_ANA_STR_CAPACITY];
        int length = sizeof(again);
        if (vy_format_ana_str(type, nodes, count, again, &length) == VY_OK) {
            tagVYPoint round[VY_ANA_MAX_POLY_NODES];
            int round_count = VY_ANA_MAX_POLY_NODES;
            if (vy_parse_pts_from_ana_str(again, round, &round_count) != VY_OK || round_count != count ||
                std::memcmp(round, nodes, sizeof(tagVYPoint) * count) != 0) {
                __builtin_trap();
            }
        }
    }
    char alias[128];
    int length = sizeof(alias);
    vy_parse_alias_of_ana_str(c, alias, &length);
    return 0;
}
