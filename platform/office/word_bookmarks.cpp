// Bookmarks: adding them, and replacing what they hold.
#include "word_document.h"

#include "ooxml_names.h"

namespace office::detail {

namespace {

void find_bookmarks(XmlNode* node, const char* name, std::vector<XmlNode*>& out)
{
    node->find_all(name, out);
}

XmlNode* make_marker(const char* name, const QString& id, const QString& bookmark_name)
{
    auto* node = new XmlNode(QLatin1String(name));
    node->set_attribute(QStringLiteral("w:id"), id);
    if (!bookmark_name.isEmpty()) {
        node->set_attribute(QStringLiteral("w:name"), bookmark_name);
    }
    return node;
}

// Content between two markers that replacing a bookmark removes: runs and
// what wraps runs, but not the markers of other bookmarks or properties.
bool removable(const XmlNode& node)
{
    return node.kind == XmlNode::Element && !node.is("w:bookmarkStart") && !node.is("w:bookmarkEnd")
           && !node.is("w:pPr") && !node.name.startsWith(QLatin1String("w:commentRange"));
}

void remove_removable(XmlNode* parent, std::size_t from, std::size_t to)
{
    for (std::size_t i = to; i-- > from;) {
        if (removable(*parent->children[i])) {
            parent->take(i);
        }
    }
}

const XmlNode* run_properties_near(const XmlNode* paragraph, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to && i < paragraph->children.size(); ++i) {
        const XmlNode* c = paragraph->children[i].get();
        if (c->is("w:r") && c->child("w:rPr") != nullptr) {
            return c->child("w:rPr");
        }
    }
    const XmlNode* ppr = paragraph->child("w:pPr");
    return ppr != nullptr ? ppr->child("w:rPr") : nullptr;
}

}  // namespace

QStringList WordDocument::bookmark_names() const
{
    return frozen_names_ + bookmark_names_in_tree();
}

QStringList WordDocument::bookmark_names_in_tree() const
{
    std::vector<XmlNode*> starts;
    find_bookmarks(body_, "w:bookmarkStart", starts);
    QStringList names;
    for (const XmlNode* s : starts) {
        names.push_back(s->attribute(QStringLiteral("w:name")));
    }
    return names;
}

bool WordDocument::has_bookmark(const QString& name) const
{
    return find_bookmark_start(name) != nullptr;
}

XmlNode* WordDocument::find_bookmark_start(const QString& name) const
{
    if (name.isEmpty()) {
        return nullptr;
    }
    std::vector<XmlNode*> starts;
    find_bookmarks(body_, "w:bookmarkStart", starts);
    for (XmlNode* s : starts) {
        // Bookmark names compare without regard to case, as the format's
        // readers treat them.
        if (s->attribute(QStringLiteral("w:name")).compare(name, Qt::CaseInsensitive) == 0) {
            return s;
        }
    }
    return nullptr;
}

XmlNode* WordDocument::find_bookmark_end(const QString& id) const
{
    std::vector<XmlNode*> ends;
    find_bookmarks(body_, "w:bookmarkEnd", ends);
    for (XmlNode* e : ends) {
        if (e->attribute(QStringLiteral("w:id")) == id) {
            return e;
        }
    }
    return nullptr;
}

bool WordDocument::valid_new_bookmark(const QString& name, QString& error) const
{
    if (name.isEmpty() || name.size() > kMaxBookmarkName || !name.at(0).isLetter()) {
        error = QStringLiteral("bookmark name \"%1\" refused: 1 to %2 characters, starting with a letter")
                    .arg(name).arg(kMaxBookmarkName);
        return false;
    }
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_')) {
            error = QStringLiteral("bookmark name \"%1\" refused: letters, digits and _ only").arg(name);
            return false;
        }
    }
    if (has_bookmark(name) || frozen_keys_.contains(name.toLower())) {
        error = QStringLiteral("the document already has a bookmark \"%1\"").arg(name);
        return false;
    }
    return true;
}

bool WordDocument::add_bookmark_here(TextPlace& place, const QString& name, QString& error)
{
    if (!valid_new_bookmark(name, error)) {
        return false;
    }
    const QString id = QString::number(next_bookmark_id_++);
    XmlNode* paragraph = last_paragraph(place.holder);
    paragraph->append(std::unique_ptr<XmlNode>(make_marker("w:bookmarkStart", id, name)));
    paragraph->append(std::unique_ptr<XmlNode>(make_marker("w:bookmarkEnd", id, QString())));
    return true;
}

bool WordDocument::bookmark_all(TextPlace& place, const QString& name, QString& error)
{
    if (!valid_new_bookmark(name, error)) {
        return false;
    }
    const QString id = QString::number(next_bookmark_id_++);
    XmlNode* first = nullptr;
    for (const auto& c : place.holder->children) {
        if (c->is("w:p")) {
            first = c.get();
            break;
        }
    }
    if (first == nullptr) {
        first = last_paragraph(place.holder);
    }
    const std::size_t at = first->child("w:pPr") != nullptr ? 1 : 0;
    first->insert(at, std::unique_ptr<XmlNode>(make_marker("w:bookmarkStart", id, name)));
    last_paragraph(place.holder)->append(std::unique_ptr<XmlNode>(make_marker("w:bookmarkEnd", id, QString())));
    return true;
}

bool WordDocument::set_bookmark_text(const QString& name, const QString& text, QString& error)
{
    XmlNode* start = find_bookmark_start(name);
    if (start == nullptr) {
        error = QStringLiteral("no bookmark \"%1\"").arg(name);
        return false;
    }
    // The new text takes the look of the text it replaces.
    const XmlNode* rpr = nullptr;
    if (start->parent->is("w:p")) {
        const std::size_t at = start->index_in_parent();
        rpr = run_properties_near(start->parent, at + 1, start->parent->children.size());
    }
    return replace_bookmark_content(name, make_text_run(text, rpr), error);
}

bool WordDocument::set_bookmark_picture(const QString& name, const QString& path, QString& error)
{
    XmlNode* start = find_bookmark_start(name);
    if (start == nullptr) {
        error = QStringLiteral("no bookmark \"%1\"").arg(name);
        return false;
    }
    Picture picture;
    if (!embed_picture(path, picture, error)) {
        return false;
    }
    qint64 cx = 0;
    qint64 cy = 0;
    room_at(start, cx, cy);
    return replace_bookmark_content(name, make_picture_run(picture, cx, cy), error);
}

bool WordDocument::replace_bookmark_content(const QString& name, std::unique_ptr<XmlNode> run, QString& error)
{
    XmlNode* start = find_bookmark_start(name);
    XmlNode* end = find_bookmark_end(start->attribute(QStringLiteral("w:id")));
    XmlNode* parent = start->parent;
    if (parent->is("w:p")) {
        const std::size_t s = start->index_in_parent();
        if (end != nullptr && end->parent == parent) {
            remove_removable(parent, s + 1, end->index_in_parent());
        } else if (end != nullptr && end->parent->is("w:p") && end->parent->parent == parent->parent) {
            // Across paragraphs of one block: the tail of the first, the
            // blocks between and the head of the last go.
            XmlNode* last = end->parent;
            remove_removable(last, 0, end->index_in_parent());
            const std::size_t first_block = parent->index_in_parent();
            const std::size_t last_block = last->index_in_parent();
            remove_removable(parent->parent, first_block + 1, last_block);
            remove_removable(parent, s + 1, parent->children.size());
        }
        parent->insert(start->index_in_parent() + 1, std::move(run));
        return true;
    }
    // A bookmark between blocks marks the paragraph that follows it.
    const std::size_t s = start->index_in_parent();
    for (std::size_t i = s + 1; i < parent->children.size(); ++i) {
        XmlNode* block = parent->children[i].get();
        if (block->is("w:p")) {
            block->insert(block->child("w:pPr") != nullptr ? 1 : 0, std::move(run));
            return true;
        }
        if (!block->is("w:bookmarkStart") && !block->is("w:bookmarkEnd")) {
            break;
        }
    }
    if (parent->is("w:body") || parent->is("w:tc") || parent->is("w:txbxContent")) {
        auto paragraph = std::make_unique<XmlNode>(QStringLiteral("w:p"));
        paragraph->append(std::move(run));
        parent->insert(s + 1, std::move(paragraph));
        return true;
    }
    error = QStringLiteral("bookmark \"%1\" sits where no text can go").arg(name);
    return false;
}

void WordDocument::room_at(const XmlNode* node, qint64& cx, qint64& cy) const
{
    cx = 0;
    cy = 0;
    for (const XmlNode* p = node->parent; p != nullptr; p = p->parent) {
        if (p->is("wp:anchor") || p->is("wp:inline")) {
            if (const XmlNode* extent = p->child("wp:extent")) {
                cx = extent->attribute(QStringLiteral("cx")).toLongLong();
                cy = extent->attribute(QStringLiteral("cy")).toLongLong();
            }
            return;
        }
        if (p->is("w:tc")) {
            const XmlNode* tcpr = p->child("w:tcPr");
            const XmlNode* width = tcpr != nullptr ? tcpr->child("w:tcW") : nullptr;
            if (width != nullptr && width->attribute(QStringLiteral("w:type")) == QLatin1String("dxa")) {
                cx = width->attribute(QStringLiteral("w:w")).toLongLong() * kEmuPerTwip;
            }
            const XmlNode* tr = p->parent;
            const XmlNode* trpr = tr != nullptr ? tr->child("w:trPr") : nullptr;
            const XmlNode* height = trpr != nullptr ? trpr->child("w:trHeight") : nullptr;
            if (height != nullptr && height->attribute(QStringLiteral("w:hRule")) == QLatin1String("exact")) {
                cy = height->attribute(QStringLiteral("w:val")).toLongLong() * kEmuPerTwip;
            }
            return;
        }
    }
    cx = text_width_twips() * kEmuPerTwip;
}

}  // namespace office::detail
