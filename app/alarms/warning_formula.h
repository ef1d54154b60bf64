// The text side of alarm conditions: putting analysis temperatures into a
// formula so that only numbers reach the formula engine, renaming an alias in
// a formula, and reading the aliases of a detection-rule formula. A token is
// an alias, a colon and Max, Min or Avg; it counts only whole, so "A:Max" is
// never found inside "BA:Max".
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace warning_formula {

// Replaces every whole alias:Max, alias:Min and alias:Avg of one object in
// the UTF-8 text by its temperature (one decimal, a point, in parentheses
// when negative). False when a value cannot be written (not finite).
bool put_temperatures(QByteArray& text, const QByteArray& alias, double max, double min, double avg);

// True when the text is ready for the engine: no token is left (no ':')
// and no empty call "()".
bool is_number_only(const QByteArray& text);

// The formula with every whole token of alias `before` renamed to `now`:
// `before` followed by ':' and not preceded by a letter, digit, '_' or a
// non-ASCII character.
QString rename_alias(const QString& formula, const QString& before, const QString& now);

// The aliases a detection-rule formula names, in order: the last three
// characters (trimmed) of each piece before a ':'. Rule aliases are a type
// letter and two digits (R01), whatever precedes them.
QStringList rule_aliases(const QString& formula);

}  // namespace warning_formula
