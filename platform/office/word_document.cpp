// Creating, opening, saving and joining documents.
#include "word_document.h"

#include "legacy_convert.h"
#include "ooxml_names.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace office::detail {

namespace {

const QString kBlankStyles = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<w:styles xmlns:w=\"%1\">"
    "<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"21\"/><w:szCs w:val=\"21\"/></w:rPr></w:rPrDefault>"
    "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
    "</w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
    "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/>"
    "<w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/>"
    "<w:left w:w=\"108\" w:type=\"dxa\"/><w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/>"
    "</w:tblCellMar></w:tblPr></w:style>"
    "</w:styles>");

// A4 with one-inch margins at top and bottom.
const QString kBlankDocument = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<w:document xmlns:w=\"%1\" xmlns:r=\"%2\" xmlns:wp=\"%3\" xmlns:wps=\"%4\">"
    "<w:body><w:p/><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
    "<w:pgMar w:top=\"1440\" w:right=\"1800\" w:bottom=\"1440\" w:left=\"1800\" w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/>"
    "</w:sectPr></w:body></w:document>");

const QString kPackageRels = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"%1\" Target=\"word/document.xml\"/></Relationships>");

// Prefixes this library writes into the main part, with their namespaces.
const std::pair<const char*, const QString*> kOwnPrefixes[] = {
    {"w", &kNsW}, {"r", &kNsR}, {"wp", &kNsWp}, {"wps", &kNsWps}};

long long number_of(const QString& text)
{
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    return ok ? value : -1;
}

// Attributes that carry a relationship id, by the prefixes bound to its namespace.
bool is_relationship_attribute(const QString& name, const QSet<QString>& prefixes)
{
    const int colon = name.indexOf(QLatin1Char(':'));
    return colon > 0 && prefixes.contains(name.left(colon));
}

QSet<QString> prefixes_bound_to(const XmlNode& root, const QString& ns)
{
    QSet<QString> prefixes;
    for (const auto& a : root.attributes) {
        if (a.first.startsWith(QLatin1String("xmlns:")) && a.second == ns) {
            prefixes.insert(a.first.mid(6));
        }
    }
    return prefixes;
}

void collect_elements(XmlNode* node, std::vector<XmlNode*>& out)
{
    for (const auto& c : node->children) {
        if (c->kind == XmlNode::Element) {
            out.push_back(c.get());
            collect_elements(c.get(), out);
        }
    }
}

}  // namespace

bool WordDocument::create_blank(QString& error)
{
    Package package;
    package.parts.insert(QStringLiteral("_rels/.rels"), kPackageRels.arg(kRelOfficeDocument).toUtf8());
    package.parts.insert(QStringLiteral("word/document.xml"), kBlankDocument.arg(kNsW, kNsR, kNsWp, kNsWps).toUtf8());
    package.parts.insert(QStringLiteral("word/styles.xml"), kBlankStyles.arg(kNsW).toUtf8());
    package.parts.insert(QStringLiteral("word/_rels/document.xml.rels"),
                         Package::write_relationships({{QStringLiteral("rId1"), kRelStyles, QStringLiteral("styles.xml"), false}}));
    package.default_types.insert(QStringLiteral("rels"), kTypeRelationships);
    package.default_types.insert(QStringLiteral("xml"), QStringLiteral("application/xml"));
    package.override_types.insert(QStringLiteral("word/document.xml"), kTypeDocumentMain);
    package.override_types.insert(QStringLiteral("word/styles.xml"), kTypeStyles);
    package.store_content_types();
    package_ = std::move(package);
    return adopt_package(error);
}

bool WordDocument::open(const QString& path, QString& error)
{
    Package package;
    switch (sniff_file(path)) {
    case FileKind::Package:
        if (!package.read(path, error)) {
            return false;
        }
        break;
    case FileKind::Legacy: {
        QTemporaryDir folder;
        QString converted;
        if (!folder.isValid() || !convert_legacy(path, folder.path(), converted, error)
            || !package.read(converted, error)) {
            return false;
        }
        break;
    }
    case FileKind::Unknown:
        error = QFileInfo::exists(path) ? QStringLiteral("%1 is not a word-processing document").arg(path)
                                        : QStringLiteral("%1 cannot be read").arg(path);
        return false;
    }
    package_ = std::move(package);
    return adopt_package(error);
}

bool WordDocument::adopt_package(QString& error)
{
    QString main_part;
    if (!package_.main_part_name(main_part, error)) {
        return false;
    }
    QVector<Relationship> rels;
    const QString rels_part = Package::rels_name(main_part);
    if (package_.parts.contains(rels_part) && !Package::read_relationships(package_.parts[rels_part], rels, error)) {
        error = QStringLiteral("document relationships: ") + error;
        return false;
    }
    std::unique_ptr<XmlNode> root;
    if (!parse_xml(package_.parts[main_part], root, error)) {
        error = QStringLiteral("main part: ") + error;
        return false;
    }
    XmlNode* body = root->is("w:document") ? root->child("w:body") : nullptr;
    if (body == nullptr) {
        error = QStringLiteral("the main part has no w:document body");
        return false;
    }
    main_part_ = main_part;
    rels_ = rels;
    root_ = std::move(root);
    body_ = body;
    boxes_.clear();
    tables_.clear();
    highest_rel_ = 0;
    for (const Relationship& r : rels_) {
        if (r.id.startsWith(QLatin1String("rId"))) {
            highest_rel_ = std::max(highest_rel_, number_of(r.id.mid(3)));
        }
    }
    next_media_ = 1;
    frozen_.clear();
    frozen_keys_.clear();
    frozen_names_.clear();
    lost_.clear();
    if (!check_namespaces(error)) {
        return false;
    }
    scan_ids();
    return true;
}

bool WordDocument::check_namespaces(QString& error)
{
    for (const auto& own : kOwnPrefixes) {
        const QString declaration = QStringLiteral("xmlns:") + QLatin1String(own.first);
        if (!root_->has_attribute(declaration)) {
            root_->set_attribute(declaration, *own.second);
        } else if (root_->attribute(declaration) != *own.second) {
            error = QStringLiteral("prefix %1 is bound to another namespace").arg(QLatin1String(own.first));
            return false;
        }
    }
    return true;
}

void WordDocument::scan_ids()
{
    std::vector<XmlNode*> elements;
    collect_elements(root_.get(), elements);
    long long bookmark = -1;
    long long drawing = 0;
    for (const XmlNode* e : elements) {
        if (e->is("w:bookmarkStart") || e->is("w:bookmarkEnd")) {
            bookmark = std::max(bookmark, number_of(e->attribute(QStringLiteral("w:id"))));
        } else if (e->is("wp:docPr")) {
            drawing = std::max(drawing, number_of(e->attribute(QStringLiteral("id"))));
        }
    }
    next_bookmark_id_ = bookmark + 1;
    next_drawing_id_ = drawing + 1;
}

bool WordDocument::save(const QString& path, QString& error)
{
    if (!lost_.isEmpty()) {
        error = QStringLiteral("part of the document was lost: ") + lost_;
        return false;
    }
    Package out = package_;
    if (frozen_.isEmpty()) {
        out.parts.insert(main_part_, write_xml(*root_));
    } else {
        // The finished pages go between the body's start tag and what the
        // tree still holds.
        QVector<PartPiece> pieces(1);
        QByteArray tail;
        write_xml_split(*root_, body_, pieces[0].bytes, tail);
        pieces += frozen_;
        pieces.push_back(PartPiece());
        pieces.back().bytes = tail;
        out.parts.remove(main_part_);
        out.pieced.insert(main_part_, pieces);
    }
    out.parts.insert(Package::rels_name(main_part_), Package::write_relationships(rels_));
    out.default_types.insert(QStringLiteral("rels"), kTypeRelationships);
    // A document made from a template is a document, whatever it came from.
    out.override_types.insert(main_part_, kTypeDocumentMain);
    out.store_content_types();
    return out.write(path, error);
}

// The highest number of an "rId" id cannot be taken by another "rId" id.
QString WordDocument::new_rel_id()
{
    return QStringLiteral("rId%1").arg(++highest_rel_);
}

QString WordDocument::new_media_name(const QString& suffix)
{
    for (;; ++next_media_) {
        const QString name = QStringLiteral("word/media/image%1.%2").arg(next_media_).arg(suffix);
        if (!package_.has_part(name)) {
            ++next_media_;
            return name;
        }
    }
}

bool WordDocument::spool(const QByteArray& bytes, PartPiece& piece, QString& error)
{
    if (package_.spool == nullptr) {
        package_.spool = std::make_shared<Spool>();
    }
    return package_.spool->append(bytes, piece, error);
}

XmlNode* WordDocument::last_paragraph(XmlNode* holder)
{
    for (auto it = holder->children.rbegin(); it != holder->children.rend(); ++it) {
        if ((*it)->is("w:p")) {
            return it->get();
        }
    }
    XmlNode* sect = holder->child("w:sectPr");
    auto p = std::make_unique<XmlNode>(QStringLiteral("w:p"));
    return sect != nullptr ? holder->insert(sect->index_in_parent(), std::move(p)) : holder->append(std::move(p));
}

// New drawings anchor to the last paragraph of the body, as an insertion
// point at the end of the document would.
XmlNode* WordDocument::anchor_paragraph()
{
    if (!body_->children.empty()) {
        XmlNode* last = body_->children.back().get();
        if (last->is("w:sectPr") && body_->children.size() >= 2) {
            last = body_->children[body_->children.size() - 2].get();
        }
        if (last->is("w:p")) {
            return last;
        }
    }
    XmlNode* sect = body_->child("w:sectPr");
    auto p = std::make_unique<XmlNode>(QStringLiteral("w:p"));
    return sect != nullptr ? body_->insert(sect->index_in_parent(), std::move(p)) : body_->append(std::move(p));
}

qint64 WordDocument::text_width_twips() const
{
    const XmlNode* sect = body_->child("w:sectPr");
    const XmlNode* size = sect != nullptr ? sect->child("w:pgSz") : nullptr;
    const XmlNode* margins = sect != nullptr ? sect->child("w:pgMar") : nullptr;
    if (size == nullptr) {
        return 11906 - 3600;
    }
    qint64 width = number_of(size->attribute(QStringLiteral("w:w")));
    if (margins != nullptr) {
        width -= std::max(0LL, number_of(margins->attribute(QStringLiteral("w:left"))))
                 + std::max(0LL, number_of(margins->attribute(QStringLiteral("w:right"))));
    }
    return width > 0 ? width : 11906 - 3600;
}

bool WordDocument::append_document(WordDocument& page, QString& error)
{
    if (&page == this || !page.root_) {
        error = QStringLiteral("no page document");
        return false;
    }
    const QSet<QString> rel_prefixes = prefixes_bound_to(*page.root_, kNsR);
    // The page's own section settings stay behind, with what they refer to.
    std::vector<XmlNode*> elements;
    for (const auto& block : page.body_->children) {
        if (block->kind == XmlNode::Element && !block->is("w:sectPr")) {
            elements.push_back(block.get());
            collect_elements(block.get(), elements);
        }
    }

    // Relationships: every one the page's body refers to is carried over
    // with a new id, and the part behind an internal one is copied under a
    // new name. All are checked before anything changes.
    QStringList referenced;
    for (XmlNode* e : elements) {
        for (const auto& a : e->attributes) {
            if (is_relationship_attribute(a.first, rel_prefixes) && !a.second.isEmpty() && !referenced.contains(a.second)) {
                referenced.push_back(a.second);
            }
        }
    }
    QVector<Relationship> sources;
    for (const QString& id : referenced) {
        const auto found = std::find_if(page.rels_.cbegin(), page.rels_.cend(), [&](const Relationship& r) { return r.id == id; });
        if (found == page.rels_.cend()) {
            error = QStringLiteral("the page refers to a missing relationship %1").arg(id);
            return false;
        }
        if (!found->external && !page.package_.parts.contains(Package::resolve(page.main_part_, found->target))) {
            error = QStringLiteral("the page lacks the part of relationship %1").arg(id);
            return false;
        }
        sources.push_back(*found);
    }
    QHash<QString, QString> rel_map;
    if (!copy_page_parts(page, sources, rel_map, error)) {
        lost_ = error;
        return false;
    }

    // Ids: drawings and bookmarks get fresh numbers; a bookmark whose name
    // the document already has is dropped, so that names stay unique.
    QSet<QString> taken = frozen_keys_;
    for (const QString& n : bookmark_names_in_tree()) {
        taken.insert(n.toLower());
    }
    QHash<QString, QString> bookmark_map;
    QStringList kept_names;
    std::vector<XmlNode*> dropped;
    for (XmlNode* e : elements) {
        for (auto& a : e->attributes) {
            if (is_relationship_attribute(a.first, rel_prefixes) && rel_map.contains(a.second)) {
                a.second = rel_map.value(a.second);
            }
        }
        e->remove_attribute(QStringLiteral("w14:paraId"));
        e->remove_attribute(QStringLiteral("w14:textId"));
        if (e->is("wp:docPr")) {
            e->set_attribute(QStringLiteral("id"), QString::number(next_drawing_id_++));
        } else if (e->is("w:bookmarkStart")) {
            const QString name = e->attribute(QStringLiteral("w:name")).toLower();
            if (taken.contains(name)) {
                dropped.push_back(e);
                continue;
            }
            taken.insert(name);
            kept_names.push_back(e->attribute(QStringLiteral("w:name")));
            const QString id = QString::number(next_bookmark_id_++);
            bookmark_map.insert(e->attribute(QStringLiteral("w:id")), id);
            e->set_attribute(QStringLiteral("w:id"), id);
        }
    }
    for (XmlNode* e : elements) {
        if (e->is("w:bookmarkEnd")) {
            const QString old_id = e->attribute(QStringLiteral("w:id"));
            if (bookmark_map.contains(old_id)) {
                e->set_attribute(QStringLiteral("w:id"), bookmark_map.value(old_id));
            } else {
                dropped.push_back(e);
            }
        }
    }
    for (XmlNode* e : dropped) {
        e->parent->take(e->index_in_parent());
    }

    // What the document held, the page break, then the page's blocks; the
    // page's section settings stay behind.
    QStringList held_names;
    QByteArray finished = body_text(held_names);
    XmlNode page_break(QStringLiteral("w:p"));
    page_break.add(QStringLiteral("w:r"))->add(QStringLiteral("w:br"), {{QStringLiteral("w:type"), QStringLiteral("page")}});
    finished += write_xml_fragment(page_break);
    // A table placed on the page right after the break would take the break
    // into its anchor in some readers and lose the new page; an empty
    // paragraph between keeps them apart.
    const auto first = std::find_if(page.body_->children.cbegin(), page.body_->children.cend(),
                                    [](const std::unique_ptr<XmlNode>& b) { return b->kind == XmlNode::Element; });
    if (first != page.body_->children.cend() && (*first)->is("w:tbl")) {
        finished += write_xml_fragment(XmlNode(QStringLiteral("w:p")));
    }
    for (const auto& block : page.body_->children) {
        if (block->kind == XmlNode::Element && !block->is("w:sectPr")) {
            finished += write_xml_fragment(*block);
        }
    }
    page.body_->children.clear();
    page.boxes_.clear();
    page.tables_.clear();
    PartPiece piece;
    if (!spool(finished, piece, error)) {
        // The page is gone with its document: saving would leave it out.
        lost_ = error;
        return false;
    }
    frozen_.push_back(piece);
    clear_body();
    for (const QStringList* names : {&held_names, &kept_names}) {
        for (const QString& name : *names) {
            frozen_keys_.insert(name.toLower());
            frozen_names_.push_back(name);
        }
    }
    return true;
}

// The body's blocks but its section settings as text, with the names of
// their bookmarks.
QByteArray WordDocument::body_text(QStringList& names) const
{
    QByteArray out;
    for (const auto& block : body_->children) {
        if (block->kind != XmlNode::Element || block->is("w:sectPr")) {
            continue;
        }
        std::vector<XmlNode*> starts;
        if (block->is("w:bookmarkStart")) {
            starts.push_back(block.get());
        }
        block->find_all("w:bookmarkStart", starts);
        for (const XmlNode* s : starts) {
            names.push_back(s->attribute(QStringLiteral("w:name")));
        }
        out += write_xml_fragment(*block);
    }
    return out;
}

// Leaves the body its section settings only; boxes and tables in what went
// are final from now on.
void WordDocument::clear_body()
{
    std::vector<std::unique_ptr<XmlNode>> kept;
    for (auto& block : body_->children) {
        if (block->is("w:sectPr")) {
            kept.push_back(std::move(block));
        }
    }
    body_->children.clear();
    for (auto& block : kept) {
        body_->append(std::move(block));
    }
    for (TextPlace& box : boxes_) {
        box.holder = nullptr;
    }
    for (TableRef& table : tables_) {
        table.table = nullptr;
        table.anchor = nullptr;
        table.cells.clear();
    }
}

bool WordDocument::copy_page_parts(const WordDocument& page, const QVector<Relationship>& sources,
                                   QHash<QString, QString>& rel_map, QString& error)
{
    // Every part is spooled before anything changes, so that a full disk
    // leaves the document's own content as it was.
    struct Copied {
        QString source;
        QString name;
        PartPiece piece;
    };
    const QString main_folder = QStringLiteral("/") + QFileInfo(main_part_).path();
    const long long highest = highest_rel_;
    const int media = next_media_;
    QVector<Relationship> copies;
    QVector<Copied> parts;
    QSet<QString> names;
    for (const Relationship& source : sources) {
        Relationship copy = source;
        copy.id = new_rel_id();
        if (!source.external) {
            Copied part;
            part.source = Package::resolve(page.main_part_, source.target);
            const QFileInfo info(part.source);
            const QString suffix = info.suffix().toLower();
            part.name = source.type == kRelImage ? new_media_name(suffix) : QString();
            for (int n = 1; part.name.isEmpty() || package_.has_part(part.name) || names.contains(part.name); ++n) {
                part.name = info.path() + QStringLiteral("/") + info.completeBaseName() + QStringLiteral("_%1.").arg(n)
                            + suffix;
            }
            if (!spool(page.package_.parts.value(part.source), part.piece, error)) {
                highest_rel_ = highest;
                next_media_ = media;
                return false;
            }
            names.insert(part.name);
            copy.target = QDir(main_folder).relativeFilePath(QStringLiteral("/") + part.name);
            parts.push_back(part);
        }
        copies.push_back(copy);
        rel_map.insert(source.id, copy.id);
    }
    for (const Copied& part : parts) {
        package_.pieced.insert(part.name, {part.piece});
        const QString suffix = QFileInfo(part.name).suffix().toLower();
        if (page.package_.override_types.contains(part.source)) {
            package_.override_types.insert(part.name, page.package_.override_types.value(part.source));
        } else if (!package_.default_types.contains(suffix) && page.package_.default_types.contains(suffix)) {
            package_.default_types.insert(suffix, page.package_.default_types.value(suffix));
        }
    }
    rels_ += copies;
    return true;
}

}  // namespace office::detail
