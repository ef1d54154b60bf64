// The one formatter, parser and splitter of analysis-object strings.
#include "basekit.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxObjectChars = VY_ANA_STR_CAPACITY - 1;

struct TypeLetter {
    char letter;
    AnaType type;
};

constexpr TypeLetter kLetters[] = {
    {'P', ANA_POINT}, {'L', ANA_LINE},    {'E', ANA_ELLIPSE},
    {'R', ANA_RECT},  {'A', ANA_POLYGON}, {'S', ANA_POLYLINE},
};

bool letter_of(AnaType type, char* letter)
{
    for (const TypeLetter& entry : kLetters) {
        if (entry.type == type) {
            *letter = entry.letter;
            return true;
        }
    }
    return false;
}

bool type_of(char letter, AnaType* type)
{
    for (const TypeLetter& entry : kLetters) {
        if (entry.letter == letter) {
            *type = entry.type;
            return true;
        }
    }
    return false;
}

bool node_count_valid(AnaType type, int count)
{
    switch (type) {
    case ANA_POINT: return count == 1;
    case ANA_LINE:
    case ANA_ELLIPSE:
    case ANA_RECT: return count == 2;
    case ANA_POLYGON:
    case ANA_POLYLINE: return count >= VY_ANA_MIN_POLY_NODES && count <= VY_ANA_MAX_POLY_NODES;
    default: return false;
    }
}

// One object located in a text.
struct ParsedAna {
    AnaType type = ANA_POINT;
    tagVYPoint nodes[VY_ANA_MAX_POLY_NODES];
    int count = 0;
    const char* alias = nullptr;
    int alias_length = 0;
    int length = 0;  // characters of the whole object, alias included
};

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a coordinate 0..65535 without sign; advances p.
bool read_coordinate(const char*& p, const char* end, uint16_t* value)
{
    if (p >= end || !is_digit(*p)) {
        return false;
    }
    long v = 0;
    while (p < end && is_digit(*p)) {
        v = v * 10 + (*p - '0');
        if (v > 65535) {
            return false;
        }
        ++p;
    }
    *value = static_cast<uint16_t>(v);
    return true;
}

bool starts_object(const char* p, const char* end)
{
    AnaType type;
    return p + 1 < end && type_of(p[0], &type) && p[1] == ':';
}

// Parses the object at text (end is one past the last readable character).
// The object ends at the end of the text or just before the next object.
bool parse_one(const char* text, const char* end, ParsedAna* out)
{
    const char* p = text;
    if (end - p < 2 || !type_of(p[0], &out->type) || p[1] != ':') {
        return false;
    }
    p += 2;
    out->count = 0;
    while (p < end && is_digit(*p)) {
        if (out->count == VY_ANA_MAX_POLY_NODES) {
            return false;
        }
        tagVYPoint node;
        if (!read_coordinate(p, end, &node.x) || p >= end || *p != ',') {
            return false;
        }
        ++p;
        if (!read_coordinate(p, end, &node.y) || p >= end || *p != ';') {
            return false;
        }
        ++p;
        out->nodes[out->count++] = node;
    }
    if (!node_count_valid(out->type, out->count)) {
        return false;
    }
    out->alias = p;
    out->alias_length = 0;
    if (p < end) {
        if (*p != '-') {
            return false;
        }
        ++p;
        out->alias = p;
        // The alias runs until the next object or the end; it holds no ':' or ';'.
        while (p < end && !starts_object(p, end)) {
            if (*p == ':' || *p == ';') {
                return false;
            }
            ++p;
        }
        out->alias_length = static_cast<int>(p - out->alias);
    }
    if (p - text > kMaxObjectChars) {
        return false;
    }
    out->length = static_cast<int>(p - text);
    return true;
}

// Parses a text that must hold exactly one object.
bool parse_single(const char* text, ParsedAna* out)
{
    if (text == nullptr) {
        return false;
    }
    std::size_t length = strnlen(text, VY_ANA_STR_CAPACITY);
    if (length > static_cast<std::size_t>(kMaxObjectChars)) {
        return false;
    }
    return parse_one(text, text + length, out) && out->length == static_cast<int>(length);
}

// Copies characters into a caller's buffer under the length rule of basekit.h.
int write_text(const char* text, int characters, char* buffer, int* length)
{
    int capacity = *length;
    *length = characters;
    if (buffer == nullptr) {
        return VY_OK;
    }
    if (capacity < characters + 1) {
        return VY_ERR_CAPACITY;
    }
    std::memcpy(buffer, text, characters);
    buffer[characters] = '\0';
    return VY_OK;
}

int next_ana(const char* text, int* position, char* buffer, int* length)
{
    if (text == nullptr || position == nullptr || length == nullptr || *position < 0) {
        return VY_ERR_ARGUMENT;
    }
    std::size_t start = static_cast<std::size_t>(*position);
    // Reject a position past the terminator without reading beyond it.
    if (strnlen(text, start) != start) {
        return VY_ERR_ARGUMENT;
    }
    const char* begin = text + start;
    const char* end = begin + std::strlen(begin);
    if (begin == end) {
        return VY_ERR_ARGUMENT;
    }
    ParsedAna ana;
    if (!parse_one(begin, end, &ana)) {
        return VY_ERR_DATA;
    }
    int result = write_text(begin, ana.length, buffer, length);
    if (result == VY_OK && buffer != nullptr) {
        *position += ana.length;
    }
    return result;
}

}  // namespace

int vy_parse_ana_type_of_char(char letter, AnaType* type)
{
    if (type == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    AnaType parsed;
    if (!type_of(letter, &parsed)) {
        return VY_ERR_ARGUMENT;
    }
    *type = parsed;
    return VY_OK;
}

int vy_format_ana_str(AnaType type, const tagVYPoint* nodes, int count, char* buffer, int* length)
{
    char letter;
    if (nodes == nullptr || length == nullptr || !letter_of(type, &letter) ||
        !node_count_valid(type, count)) {
        return VY_ERR_ARGUMENT;
    }
    // 150 nodes of "65535,65535;" fit in this working buffer.
    char text[2 + VY_ANA_MAX_POLY_NODES * 12 + 2];
    int used = std::snprintf(text, sizeof(text), "%c:", letter);
    for (int i = 0; i < count; ++i) {
        used += std::snprintf(text + used, sizeof(text) - used, "%u,%u;",
                              static_cast<unsigned>(nodes[i].x), static_cast<unsigned>(nodes[i].y));
    }
    text[used++] = '-';
    text[used] = '\0';
    if (used > kMaxObjectChars) {
        return VY_ERR_ARGUMENT;
    }
    return write_text(text, used, buffer, length);
}

int vy_format_ana_index(AnaType type, int index, char* buffer, int* length)
{
    char letter;
    if (length == nullptr || index < 1 || !letter_of(type, &letter)) {
        return VY_ERR_ARGUMENT;
    }
    char text[16];
    int used = std::snprintf(text, sizeof(text), "%c%d", letter, index);
    return write_text(text, used, buffer, length);
}

int vy_parse_pts_from_ana_str(const char* text, tagVYPoint* nodes, int* count)
{
    if (count == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    ParsedAna ana;
    if (!parse_single(text, &ana)) {
        return VY_ERR_ARGUMENT;
    }
    int capacity = *count;
    *count = ana.count;
    if (nodes == nullptr) {
        return VY_OK;
    }
    if (capacity < ana.count) {
        return VY_ERR_CAPACITY;
    }
    std::memcpy(nodes, ana.nodes, sizeof(tagVYPoint) * ana.count);
    return VY_OK;
}

int vy_parse_nodes_of_ana_str(const char* text, tagVYPoint* nodes, int* count)
{
    if (text == nullptr || count == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    const std::size_t length = strnlen(text, VY_ANA_STR_CAPACITY);
    if (length > static_cast<std::size_t>(kMaxObjectChars)) {
        return VY_ERR_ARGUMENT;
    }
    const char* end = text + length;
    const char* p = static_cast<const char*>(std::memchr(text, ':', length));
    std::size_t kept = length;
    while (p != nullptr) {
        ++p;
        const char* semicolon = static_cast<const char*>(std::memchr(p, ';', static_cast<std::size_t>(end - p)));
        if (semicolon == nullptr || std::memchr(p, ',', static_cast<std::size_t>(semicolon - p)) == nullptr) {
            break;
        }
        p = semicolon;
        if (end - (semicolon + 1) < 4) {
            kept = static_cast<std::size_t>(semicolon + 1 - text);
            break;
        }
    }
    char head[VY_ANA_STR_CAPACITY];
    std::memcpy(head, text, kept);
    head[kept] = '\0';
    return vy_parse_pts_from_ana_str(head, nodes, count);
}

int vy_parse_alias_of_ana_str(const char* text, char* buffer, int* length)
{
    if (length == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    ParsedAna ana;
    if (!parse_single(text, &ana)) {
        return VY_ERR_ARGUMENT;
    }
    return write_text(ana.alias, ana.alias_length, buffer, length);
}

int vy_parse_anas_count_of_anas_str(const char* text, int* count)
{
    if (text == nullptr || count == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    const char* p = text;
    const char* end = text + std::strlen(text);
    int found = 0;
    ParsedAna ana;
    while (p < end) {
        if (!parse_one(p, end, &ana)) {
            return VY_ERR_DATA;
        }
        p += ana.length;
        ++found;
    }
    *count = found;
    return VY_OK;
}

int vy_get_first_ana_from_anas_str(const char* text, int* position, char* buffer, int* length)
{
    if (position == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    *position = 0;
    return next_ana(text, position, buffer, length);
}

int vy_get_next_ana_from_anas_str(const char* text, int* position, char* buffer, int* length)
{
    return next_ana(text, position, buffer, length);
}
