// Analysis-object strings as the picture sources handle them: nodes read
// and rescaled, list strings split into single objects, strings formatted
// from nodes, and the crop of a camera's digital zoom.
#pragma once

#include "vytypes.h"

#include <string>
#include <vector>

namespace ana_string {

// The nodes of one analysis string ("R:1,2;3,4;-"); false when none parse.
bool parse_nodes(const std::string& text, std::vector<tagVYPoint>& nodes);

// Every node scaled by (sx, sy), truncated; false (out untouched) when a
// factor is not above 0.0001, the kind letter is unknown or the result does
// not fit an analysis string. Polygons of 150 nodes fit.
bool rescale(const std::string& in, std::string& out, float sx, float sy);

// The single strings of a list string, in order; false when the list is
// malformed (out then holds the strings read before the fault).
bool split(const std::string& anas, std::vector<std::string>& out);

// Letter of a kind: 0 'P', 10 'L', 20 'E', 30 'R', 40 'A', 50 'S'; any
// other kind gives ' ' and false.
bool type_to_letter(AnaType type, char& letter);

// "<letter>:x,y;...;-" when the node count suits the kind (1 for points, 2
// for lines, ellipses and rectangles, 2 to 150 for polygons and polylines).
bool format(AnaType type, const std::vector<tagVYPoint>& nodes, std::string& out);

// The centred part of a picture that a camera's digital zoom (2, 4 or 8)
// shows: a picture point maps to ((x - x_offset) * scale, (y - y_offset) * scale).
void zoom_crop(int width, int height, int zoom, float& scale, int& x_offset, int& y_offset);

}  // namespace ana_string
