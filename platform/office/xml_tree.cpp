// Reading and writing the element tree of one package part.
#include "xml_tree.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cassert>

namespace office::detail {

QString XmlNode::attribute(const QString& attribute_name) const
{
    for (const auto& a : attributes) {
        if (a.first == attribute_name) {
            return a.second;
        }
    }
    return QString();
}

bool XmlNode::has_attribute(const QString& attribute_name) const
{
    for (const auto& a : attributes) {
        if (a.first == attribute_name) {
            return true;
        }
    }
    return false;
}

void XmlNode::set_attribute(const QString& attribute_name, const QString& value)
{
    for (auto& a : attributes) {
        if (a.first == attribute_name) {
            a.second = value;
            return;
        }
    }
    attributes.push_back({attribute_name, value});
}

void XmlNode::remove_attribute(const QString& attribute_name)
{
    for (int i = attributes.size() - 1; i >= 0; --i) {
        if (attributes[i].first == attribute_name) {
            attributes.remove(i);
        }
    }
}

XmlNode* XmlNode::child(const char* element_name) const
{
    for (const auto& c : children) {
        if (c->is(element_name)) {
            return c.get();
        }
    }
    return nullptr;
}

XmlNode* XmlNode::child_or_add(const char* element_name)
{
    XmlNode* found = child(element_name);
    return found != nullptr ? found : add(QString::fromLatin1(element_name));
}

XmlNode* XmlNode::add(const QString& element_name, std::initializer_list<std::pair<QString, QString>> attrs)
{
    auto node = std::make_unique<XmlNode>(element_name);
    for (const auto& a : attrs) {
        node->attributes.push_back(a);
    }
    return append(std::move(node));
}

void XmlNode::add_text(const QString& text)
{
    append(std::make_unique<XmlNode>(xml_safe(text), Text));
}

XmlNode* XmlNode::append(std::unique_ptr<XmlNode> node)
{
    return insert(children.size(), std::move(node));
}

XmlNode* XmlNode::insert(std::size_t index, std::unique_ptr<XmlNode> node)
{
    assert(index <= children.size());
    node->parent = this;
    XmlNode* raw = node.get();
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(index), std::move(node));
    return raw;
}

std::unique_ptr<XmlNode> XmlNode::take(std::size_t index)
{
    assert(index < children.size());
    std::unique_ptr<XmlNode> node = std::move(children[index]);
    children.erase(children.begin() + static_cast<std::ptrdiff_t>(index));
    node->parent = nullptr;
    return node;
}

std::size_t XmlNode::index_in_parent() const
{
    assert(parent != nullptr);
    for (std::size_t i = 0; i < parent->children.size(); ++i) {
        if (parent->children[i].get() == this) {
            return i;
        }
    }
    assert(false);
    return 0;
}

void XmlNode::find_all(const char* element_name, std::vector<XmlNode*>& out)
{
    for (const auto& c : children) {
        if (c->kind != Element) {
            continue;
        }
        if (c->is(element_name)) {
            out.push_back(c.get());
        }
        c->find_all(element_name, out);
    }
}

XmlNode* XmlNode::ancestor(const char* element_name) const
{
    for (XmlNode* p = parent; p != nullptr; p = p->parent) {
        if (p->is(element_name)) {
            return p;
        }
    }
    return nullptr;
}

bool parse_xml(const QByteArray& bytes, std::unique_ptr<XmlNode>& root, QString& error)
{
    QXmlStreamReader reader(bytes);
    // Prefixes stay as written; declarations arrive as attributes.
    reader.setNamespaceProcessing(false);
    std::unique_ptr<XmlNode> top;
    XmlNode* current = nullptr;
    int depth = 0;
    long long nodes = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (++nodes > kMaxNodes) {
            error = QStringLiteral("more than %1 nodes").arg(kMaxNodes);
            return false;
        }
        if (token == QXmlStreamReader::StartElement) {
            if (++depth > kMaxDepth) {
                error = QStringLiteral("nesting deeper than %1").arg(kMaxDepth);
                return false;
            }
            auto node = std::make_unique<XmlNode>(reader.qualifiedName().toString());
            const QXmlStreamAttributes attrs = reader.attributes();
            node->attributes.reserve(attrs.size());
            for (const QXmlStreamAttribute& a : attrs) {
                node->attributes.push_back({a.qualifiedName().toString(), a.value().toString()});
            }
            if (current == nullptr) {
                if (top) {
                    error = QStringLiteral("more than one root element");
                    return false;
                }
                top = std::move(node);
                current = top.get();
            } else {
                current = current->append(std::move(node));
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
            current = current->parent;
        } else if (token == QXmlStreamReader::DTD) {
            // Package parts never carry a document type; refusing it keeps
            // entity tricks out.
            error = QStringLiteral("document type declaration");
            return false;
        } else if (token == QXmlStreamReader::Characters && current != nullptr) {
            current->append(std::make_unique<XmlNode>(reader.text().toString(), XmlNode::Text));
        }
    }
    if (reader.hasError()) {
        error = QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
        return false;
    }
    if (!top) {
        error = QStringLiteral("no root element");
        return false;
    }
    root = std::move(top);
    return true;
}

namespace {

// split: where the content of that element begins, set when it is written.
void write_node(QXmlStreamWriter& writer, const XmlNode& node, const XmlNode* split_at, const QByteArray& bytes,
                int& split)
{
    if (node.kind == XmlNode::Text) {
        writer.writeCharacters(node.name);
        return;
    }
    writer.writeStartElement(node.name);
    for (const auto& a : node.attributes) {
        writer.writeAttribute(a.first, a.second);
    }
    if (&node == split_at) {
        // Empty characters close the start tag, so that the cut falls after it.
        writer.writeCharacters(QString());
        split = bytes.size();
    }
    for (const auto& c : node.children) {
        write_node(writer, *c, split_at, bytes, split);
    }
    writer.writeEndElement();
}

QByteArray write_tree(const XmlNode& root, bool declaration, const XmlNode* split_at, int& split)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(false);
    if (declaration) {
        writer.writeStartDocument(QStringLiteral("1.0"), true);
    }
    write_node(writer, root, split_at, bytes, split);
    if (declaration) {
        writer.writeEndDocument();
    }
    return bytes;
}

}  // namespace

QByteArray write_xml(const XmlNode& root)
{
    int split = -1;
    return write_tree(root, true, nullptr, split);
}

QByteArray write_xml_fragment(const XmlNode& node)
{
    int split = -1;
    return write_tree(node, false, nullptr, split);
}

void write_xml_split(const XmlNode& root, const XmlNode* at, QByteArray& head, QByteArray& tail)
{
    int split = -1;
    const QByteArray bytes = write_tree(root, true, at, split);
    assert(split >= 0);
    head = bytes.left(split);
    tail = bytes.mid(split);
}

QString xml_safe(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append(c);
            out.append(text.at(++i));
            continue;
        }
        if (c.isSurrogate()) {
            continue;
        }
        const ushort u = c.unicode();
        if (u < 0x20 && u != 0x9 && u != 0xA && u != 0xD) {
            continue;
        }
        if (u == 0xFFFE || u == 0xFFFF) {
            continue;
        }
        out.append(c);
    }
    return out;
}

}  // namespace office::detail
