// A layout file's shape, checked by streaming through its bytes before they
// are parsed into a document: nesting depth, elements, components and the
// cells tables declare are bounded, so a hostile file costs no more memory
// than a few times its size and cannot exhaust the stack.
#pragma once

#include <QByteArray>

namespace report_layout_check {

constexpr int kMaxDepth = 32;
constexpr qint64 kMaxElements = 500000;
// Cells of all tables together, each table counted at its grid's bounds.
constexpr qint64 kMaxCells = 100000;

// True when the bytes are well-formed XML within the bounds. A refusal is
// logged: malformed text as a debug line (as a failed parse always was),
// bounds exceeded as a warning.
bool check(const QByteArray& bytes, int max_components);

}  // namespace report_layout_check
