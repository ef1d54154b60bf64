#include "sources/ana_string.h"

#include "basekit.h"

#include <cmath>
#include <cstdlib>

namespace ana_string {

bool parse_nodes(const std::string& text, std::vector<tagVYPoint>& nodes)
{
    nodes.clear();
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    std::size_t pos = colon + 1;
    while (pos < text.size()) {
        const std::size_t semi = text.find(';', pos);
        if (semi == std::string::npos) {
            break;
        }
        const std::string pair = text.substr(pos, semi - pos);
        const std::size_t comma = pair.find(',');
        if (comma == std::string::npos) {
            break;
        }
        const long x = std::strtol(pair.c_str(), nullptr, 10);
        const long y = std::strtol(pair.c_str() + comma + 1, nullptr, 10);
        if (x < 0 || y < 0 || x > 0xFFFF || y > 0xFFFF) {
            nodes.clear();
            return false;
        }
        nodes.push_back(tagVYPoint{static_cast<uint16_t>(x), static_cast<uint16_t>(y)});
        pos = semi + 1;
    }
    return !nodes.empty();
}

bool rescale(const std::string& in, std::string& out, float sx, float sy)
{
    if (!(sx > 0.0001f) || !(sy > 0.0001f) || in.empty()) {
        return false;
    }
    AnaType type = ANA_ALL;
    if (vy_parse_ana_type_of_char(in[0], &type) != VY_OK || type == ANA_ALL) {
        return false;
    }
    std::vector<tagVYPoint> nodes;
    if (!parse_nodes(in, nodes)) {
        return false;
    }
    for (tagVYPoint& node : nodes) {
        const double x = std::trunc(node.x * static_cast<double>(sx));
        const double y = std::trunc(node.y * static_cast<double>(sy));
        if (x > 0xFFFF || y > 0xFFFF) {
            return false;
        }
        node.x = static_cast<uint16_t>(x);
        node.y = static_cast<uint16_t>(y);
    }
    char buffer[VY_ANA_STR_CAPACITY];
    int length = sizeof(buffer);
    if (vy_format_ana_str(type, nodes.data(), static_cast<int>(nodes.size()), buffer, &length) !=
        VY_OK) {
        return false;
    }
    out.assign(buffer, static_cast<std::size_t>(length));
    return true;
}

bool split(const std::string& anas, std::vector<std::string>& out)
{
    out.clear();
    int count = 0;
    if (vy_parse_anas_count_of_anas_str(anas.c_str(), &count) != VY_OK) {
        return false;
    }
    // One object is at most VY_ANA_STR_CAPACITY - 1 characters, so a buffer
    // of that capacity holds the longest polygon whole.
    char buffer[VY_ANA_STR_CAPACITY];
    int position = 0;
    int length = sizeof(buffer);
    int result = vy_get_first_ana_from_anas_str(anas.c_str(), &position, buffer, &length);
    while (result == VY_OK) {
        out.emplace_back(buffer, static_cast<std::size_t>(length));
        length = sizeof(buffer);
        result = vy_get_next_ana_from_anas_str(anas.c_str(), &position, buffer, &length);
    }
    return result == VY_ERR_ARGUMENT || count == static_cast<int>(out.size());
}

bool type_to_letter(AnaType type, char& letter)
{
    switch (type) {
    case ANA_POINT: letter = 'P'; return true;
    case ANA_LINE: letter = 'L'; return true;
    case ANA_ELLIPSE: letter = 'E'; return true;
    case ANA_RECT: letter = 'R'; return true;
    case ANA_POLYGON: letter = 'A'; return true;
    case ANA_POLYLINE: letter = 'S'; return true;
    default: letter = ' '; return false;
    }
}

bool format(AnaType type, const std::vector<tagVYPoint>& nodes, std::string& out)
{
    char letter = ' ';
    if (nodes.empty() || !type_to_letter(type, letter)) {
        return false;
    }
    const std::size_t n = nodes.size();
    switch (type) {
    case ANA_POINT:
        if (n != 1) return false;
        break;
    case ANA_LINE:
    case ANA_ELLIPSE:
    case ANA_RECT:
        if (n != 2) return false;
        break;
    default:
        if (n < VY_ANA_MIN_POLY_NODES || n > VY_ANA_MAX_POLY_NODES) return false;
        break;
    }
    std::string text(1, letter);
    text += ':';
    for (const tagVYPoint& node : nodes) {
        text += std::to_string(node.x) + ',' + std::to_string(node.y) + ';';
    }
    text += '-';
    out = text;
    return true;
}

void zoom_crop(int width, int height, int zoom, float& scale, int& x_offset, int& y_offset)
{
    switch (zoom) {
    case 2: scale = 2.0f; x_offset = width / 4; y_offset = height / 4; break;
    case 4: scale = 4.0f; x_offset = 3 * width / 8; y_offset = 3 * height / 8; break;
    case 8: scale = 8.0f; x_offset = 7 * width / 16; y_offset = 7 * height / 16; break;
    default: scale = 1.0f; x_offset = 0; y_offset = 0; break;
    }
}

}  // namespace ana_string
