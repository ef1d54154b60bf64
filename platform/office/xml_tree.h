// A small element tree for the XML parts of a word-processing package.
//
// Names are kept exactly as written (prefix included) and namespace
// declarations stay ordinary attributes, so that a part read and written
// again keeps its prefixes and everything this library does not understand.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <memory>
#include <utility>
#include <vector>

namespace office::detail {

struct XmlNode {
    enum Kind { Element, Text };

    explicit XmlNode(QString node_name, Kind node_kind = Element)
        : kind(node_kind), name(std::move(node_name))
    {
    }

    Kind kind;
    // Qualified element name ("w:p"), or the characters of a text node.
    QString name;
    QVector<std::pair<QString, QString>> attributes;
    std::vector<std::unique_ptr<XmlNode>> children;
    XmlNode* parent = nullptr;

    bool is(const char* element_name) const { return kind == Element && name == QLatin1String(element_name); }

    QString attribute(const QString& attribute_name) const;
    bool has_attribute(const QString& attribute_name) const;
    void set_attribute(const QString& attribute_name, const QString& value);
    void remove_attribute(const QString& attribute_name);

    // The first child element with that name, or null.
    XmlNode* child(const char* element_name) const;
    // The first child element with that name, made (appended) when missing.
    XmlNode* child_or_add(const char* element_name);
    XmlNode* add(const QString& element_name, std::initializer_list<std::pair<QString, QString>> attrs = {});
    void add_text(const QString& text);

    XmlNode* append(std::unique_ptr<XmlNode> node);
    XmlNode* insert(std::size_t index, std::unique_ptr<XmlNode> node);
    std::unique_ptr<XmlNode> take(std::size_t index);
    // Position among the parent's children; the node must have a parent.
    std::size_t index_in_parent() const;

    // Every descendant element with that name, in document order.
    void find_all(const char* element_name, std::vector<XmlNode*>& out);
    // The nearest ancestor element with that name, or null.
    XmlNode* ancestor(const char* element_name) const;
};

// Limits on a part read from a file.
constexpr int kMaxDepth = 256;
constexpr long long kMaxNodes = 4000000;

// Parses one part; false (with a reason) for malformed XML or one over the limits.
bool parse_xml(const QByteArray& bytes, std::unique_ptr<XmlNode>& root, QString& error);
QByteArray write_xml(const XmlNode& root);
// One element and what it holds, without a declaration: a piece of a part.
QByteArray write_xml_fragment(const XmlNode& node);
// The part cut where the content of `at` (an element of the tree) begins:
// head ends with its start tag, tail begins with what it holds.
void write_xml_split(const XmlNode& root, const XmlNode* at, QByteArray& head, QByteArray& tail);

// Drops the characters XML 1.0 cannot carry (control characters but tab,
// line feed and carriage return, and unpaired surrogates).
QString xml_safe(const QString& text);

}  // namespace office::detail
