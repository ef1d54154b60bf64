// Names inside a rule package and the paths of rule pictures. Entry names
// and rule texts are outside input: every path made from them is checked to
// stay inside the rule-picture folder.
#pragma once

#include <QString>

class RulePackagePath {
public:
    // Whether an entry name is a plain relative path: not empty, no absolute
    // or drive prefix, no backslash, no NUL or control character, no empty,
    // "." or ".." component. A folder entry's one trailing "/" is allowed.
    static bool is_safe_entry_name(const QString& name);

    // Entry name of a rule picture of substation type kind: the stored path
    // below the picture folder when it lies there, else the stored path after
    // its first "/<kind>/", else "<kind>/<file name>". Empty when even that
    // is no safe name.
    static QString picture_entry_name(const QString& stored_path, int kind, const QString& picture_dir);

    // The file an entry extracts to: picture_dir + "/" + entry name with "\"
    // read as "/"; empty when the name is not safe.
    static QString entry_target(const QString& picture_dir, const QString& entry_name);

    // One path component made from free text: "%", "/", "\", ":" and control
    // characters are written as %XX, so two different texts never give the
    // same component. Empty for the empty text, "." and "..".
    static QString encode_component(const QString& text);

    // Target (without extension) of a rule's sample picture:
    // picture_dir/kind/type/voltage/part/shape, each text one encoded
    // component. Empty when a text cannot be a component.
    static QString rule_picture_target(const QString& picture_dir, int kind, const QString& dev_type,
                                       const QString& voltage, const QString& part, const QString& shape);

    // Whether path (existing or not) lies strictly inside folder, after the
    // links of the deepest existing parent are followed.
    static bool stays_inside(const QString& path, const QString& folder);
};
