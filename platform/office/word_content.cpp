// Text boxes, tables, runs, fonts and pictures of a document.
#include "word_document.h"

#include "ooxml_names.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <initializer_list>

namespace office::detail {

namespace {

constexpr qint64 kMaxPictureBytes = 64LL * 1024 * 1024;
constexpr int kMaxPictureSide = 20000;
// Positions and sizes beyond any page are refused (points).
constexpr int kMaxPoints = 100000;

// Schema order of the property elements this library writes; an element is
// inserted before the first sibling that must follow it.
const std::initializer_list<const char*> kRunOrder = {
    "w:rStyle", "w:rFonts", "w:b", "w:bCs", "w:i", "w:iCs", "w:caps", "w:smallCaps", "w:strike", "w:dstrike",
    "w:outline", "w:shadow", "w:emboss", "w:imprint", "w:noProof", "w:snapToGrid", "w:vanish", "w:webHidden",
    "w:color", "w:spacing", "w:w", "w:kern", "w:position", "w:sz", "w:szCs", "w:highlight", "w:u", "w:effect",
    "w:bdr", "w:shd", "w:fitText", "w:vertAlign", "w:rtl", "w:cs", "w:em", "w:lang", "w:eastAsianLayout",
    "w:specVanish", "w:oMath"};
const std::initializer_list<const char*> kParagraphOrder = {
    "w:pStyle", "w:keepNext", "w:keepLines", "w:pageBreakBefore", "w:framePr", "w:widowControl", "w:numPr",
    "w:suppressLineNumbers", "w:pBdr", "w:shd", "w:tabs", "w:suppressAutoHyphens", "w:kinsoku", "w:wordWrap",
    "w:overflowPunct", "w:topLinePunct", "w:autoSpaceDE", "w:autoSpaceDN", "w:bidi", "w:adjustRightInd",
    "w:snapToGrid", "w:spacing", "w:ind", "w:contextualSpacing", "w:mirrorIndents", "w:suppressOverlap", "w:jc",
    "w:textDirection", "w:textAlignment", "w:textboxTightWrap", "w:outlineLvl", "w:divId", "w:cnfStyle", "w:rPr",
    "w:sectPr", "w:pPrChange"};
const std::initializer_list<const char*> kRowOrder = {
    "w:cnfStyle", "w:divId", "w:gridBefore", "w:gridAfter", "w:wBefore", "w:wAfter", "w:cantSplit", "w:trHeight",
    "w:tblHeader", "w:tblCellSpacing", "w:jc", "w:hidden"};

int rank_of(const QString& name, std::initializer_list<const char*> order)
{
    int rank = 0;
    for (const char* o : order) {
        if (name == QLatin1String(o)) {
            return rank;
        }
        ++rank;
    }
    return -1;
}

// The child with that name, made at its schema place when missing.
XmlNode* ordered_child(XmlNode* parent, const char* name, std::initializer_list<const char*> order)
{
    if (XmlNode* found = parent->child(name)) {
        return found;
    }
    const int rank = rank_of(QLatin1String(name), order);
    std::size_t at = parent->children.size();
    for (std::size_t i = 0; i < parent->children.size(); ++i) {
        const int other = rank_of(parent->children[i]->name, order);
        if (other > rank) {
            at = i;
            break;
        }
    }
    return parent->insert(at, std::make_unique<XmlNode>(QLatin1String(name)));
}

// Paragraph and run properties come first in their parents.
XmlNode* properties_of(XmlNode* parent, const char* name)
{
    if (XmlNode* found = parent->child(name)) {
        return found;
    }
    return parent->insert(0, std::make_unique<XmlNode>(QLatin1String(name)));
}

void remove_children(XmlNode* parent, std::initializer_list<const char*> names)
{
    for (std::size_t i = parent->children.size(); i-- > 0;) {
        for (const char* n : names) {
            if (parent->children[i]->is(n)) {
                parent->take(i);
                break;
            }
        }
    }
}

void apply_font(XmlNode* rpr, const RunFont& font)
{
    remove_children(rpr, {"w:rFonts", "w:b", "w:bCs", "w:i", "w:iCs", "w:sz", "w:szCs", "w:u"});
    if (!font.family.isEmpty()) {
        ordered_child(rpr, "w:rFonts", kRunOrder)->attributes = {{QStringLiteral("w:ascii"), font.family},
                                                                  {QStringLiteral("w:hAnsi"), font.family},
                                                                  {QStringLiteral("w:eastAsia"), font.family},
                                                                  {QStringLiteral("w:cs"), font.family}};
    }
    if (font.bold) {
        ordered_child(rpr, "w:b", kRunOrder);
        ordered_child(rpr, "w:bCs", kRunOrder);
    }
    if (font.italic) {
        ordered_child(rpr, "w:i", kRunOrder);
        ordered_child(rpr, "w:iCs", kRunOrder);
    }
    if (font.point_size > 0) {
        // Half points, as the format counts font sizes.
        const QString half_points = QString::number(std::clamp(qRound(font.point_size * 2.0), 2, 3276));
        ordered_child(rpr, "w:sz", kRunOrder)->set_attribute(QStringLiteral("w:val"), half_points);
        ordered_child(rpr, "w:szCs", kRunOrder)->set_attribute(QStringLiteral("w:val"), half_points);
    }
    if (font.underline) {
        ordered_child(rpr, "w:u", kRunOrder)->set_attribute(QStringLiteral("w:val"), QStringLiteral("single"));
    }
}

const char* alignment_value(int alignment)
{
    switch (alignment) {
    case kAlignCenter:
        return "center";
    case kAlignRight:
        return "right";
    case kAlignJustify:
        return "both";
    default:
        return "left";
    }
}

void apply_alignment(XmlNode* paragraph, int alignment)
{
    XmlNode* ppr = properties_of(paragraph, "w:pPr");
    ordered_child(ppr, "w:jc", kParagraphOrder)->set_attribute(QStringLiteral("w:val"), QLatin1String(alignment_value(alignment)));
}

void collect_runs(XmlNode* node, std::vector<XmlNode*>& runs)
{
    for (const auto& c : node->children) {
        if (c->is("w:r")) {
            runs.push_back(c.get());
        } else if (c->kind == XmlNode::Element && !c->is("w:drawing")) {
            collect_runs(c.get(), runs);
        }
    }
}

QString twips(qint64 points)
{
    return QString::number(points * 20);
}

bool in_range(int value, int low, int high)
{
    return value >= low && value <= high;
}

XmlNode* add_border_set(XmlNode* parent, const char* name)
{
    XmlNode* set = parent->add(QLatin1String(name));
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
        set->add(QLatin1String(side), {{QStringLiteral("w:val"), QStringLiteral("single")},
                                       {QStringLiteral("w:sz"), QStringLiteral("4")},
                                       {QStringLiteral("w:space"), QStringLiteral("0")},
                                       {QStringLiteral("w:color"), QStringLiteral("auto")}});
    }
    return set;
}

}  // namespace

int WordDocument::add_text_box(int left, int top, int width, int height, QString& error)
{
    if (!in_range(left, -kMaxPoints, kMaxPoints) || !in_range(top, -kMaxPoints, kMaxPoints)
        || !in_range(width, 0, kMaxPoints) || !in_range(height, 0, kMaxPoints)) {
        error = QStringLiteral("text box %1,%2 %3x%4 is outside any page").arg(left).arg(top).arg(width).arg(height);
        return -1;
    }
    TextPlace place;
    place.holder = add_box_shape(left * kEmuPerPoint, top * kEmuPerPoint, width * kEmuPerPoint, height * kEmuPerPoint,
                                 false);
    place.holder->add(QStringLiteral("w:p"));
    place.room_cx = width * kEmuPerPoint;
    place.room_cy = height * kEmuPerPoint;
    boxes_.push_back(place);
    return static_cast<int>(boxes_.size()) - 1;
}

// A borderless shape in front of the text at a page position (EMU); grow
// lets readers make it taller to fit what it holds. Returns its content.
XmlNode* WordDocument::add_box_shape(qint64 left, qint64 top, qint64 width, qint64 height, bool grow)
{
    const long long id = next_drawing_id_++;
    const QString cx = QString::number(width);
    const QString cy = QString::number(height);
    auto run = std::make_unique<XmlNode>(QStringLiteral("w:r"));
    XmlNode* anchor = run->add(QStringLiteral("w:drawing"))
                          ->add(QStringLiteral("wp:anchor"), {{QStringLiteral("distT"), QStringLiteral("0")},
                                                              {QStringLiteral("distB"), QStringLiteral("0")},
                                                              {QStringLiteral("distL"), QStringLiteral("0")},
                                                              {QStringLiteral("distR"), QStringLiteral("0")},
                                                              {QStringLiteral("simplePos"), QStringLiteral("0")},
                                                              {QStringLiteral("relativeHeight"), QString::number(id)},
                                                              {QStringLiteral("behindDoc"), QStringLiteral("0")},
                                                              {QStringLiteral("locked"), QStringLiteral("0")},
                                                              {QStringLiteral("layoutInCell"), QStringLiteral("1")},
                                                              {QStringLiteral("allowOverlap"), QStringLiteral("1")}});
    anchor->add(QStringLiteral("wp:simplePos"), {{QStringLiteral("x"), QStringLiteral("0")}, {QStringLiteral("y"), QStringLiteral("0")}});
    anchor->add(QStringLiteral("wp:positionH"), {{QStringLiteral("relativeFrom"), QStringLiteral("page")}})
        ->add(QStringLiteral("wp:posOffset"))
        ->add_text(QString::number(left));
    anchor->add(QStringLiteral("wp:positionV"), {{QStringLiteral("relativeFrom"), QStringLiteral("page")}})
        ->add(QStringLiteral("wp:posOffset"))
        ->add_text(QString::number(top));
    anchor->add(QStringLiteral("wp:extent"), {{QStringLiteral("cx"), cx}, {QStringLiteral("cy"), cy}});
    anchor->add(QStringLiteral("wp:effectExtent"), {{QStringLiteral("l"), QStringLiteral("0")},
                                                    {QStringLiteral("t"), QStringLiteral("0")},
                                                    {QStringLiteral("r"), QStringLiteral("0")},
                                                    {QStringLiteral("b"), QStringLiteral("0")}});
    anchor->add(QStringLiteral("wp:wrapNone"));
    anchor->add(QStringLiteral("wp:docPr"), {{QStringLiteral("id"), QString::number(id)},
                                             {QStringLiteral("name"), QStringLiteral("Text Box %1").arg(id)}});
    anchor->add(QStringLiteral("wp:cNvGraphicFramePr"));
    XmlNode* shape = anchor->add(QStringLiteral("a:graphic"), {{QStringLiteral("xmlns:a"), kNsA}})
                         ->add(QStringLiteral("a:graphicData"), {{QStringLiteral("uri"), kNsWps}})
                         ->add(QStringLiteral("wps:wsp"));
    shape->add(QStringLiteral("wps:cNvSpPr"), {{QStringLiteral("txBox"), QStringLiteral("1")}});
    XmlNode* sppr = shape->add(QStringLiteral("wps:spPr"));
    XmlNode* xfrm = sppr->add(QStringLiteral("a:xfrm"));
    xfrm->add(QStringLiteral("a:off"), {{QStringLiteral("x"), QStringLiteral("0")}, {QStringLiteral("y"), QStringLiteral("0")}});
    xfrm->add(QStringLiteral("a:ext"), {{QStringLiteral("cx"), cx}, {QStringLiteral("cy"), cy}});
    sppr->add(QStringLiteral("a:prstGeom"), {{QStringLiteral("prst"), QStringLiteral("rect")}})->add(QStringLiteral("a:avLst"));
    sppr->add(QStringLiteral("a:noFill"));
    sppr->add(QStringLiteral("a:ln"))->add(QStringLiteral("a:noFill"));
    XmlNode* content = shape->add(QStringLiteral("wps:txbx"))->add(QStringLiteral("w:txbxContent"));
    shape->add(QStringLiteral("wps:bodyPr"), {{QStringLiteral("rot"), QStringLiteral("0")},
                                              {QStringLiteral("vert"), QStringLiteral("horz")},
                                              {QStringLiteral("wrap"), QStringLiteral("square")},
                                              {QStringLiteral("lIns"), QStringLiteral("0")},
                                              {QStringLiteral("tIns"), QStringLiteral("0")},
                                              {QStringLiteral("rIns"), QStringLiteral("0")},
                                              {QStringLiteral("bIns"), QStringLiteral("0")},
                                              {QStringLiteral("anchor"), QStringLiteral("t")},
                                              {QStringLiteral("anchorCtr"), QStringLiteral("0")}})
        ->add(grow ? QStringLiteral("a:spAutoFit") : QStringLiteral("a:noAutofit"));
    anchor_paragraph()->append(std::move(run));
    return content;
}

int WordDocument::add_table(int rows, int columns, QString& error)
{
    if (!in_range(rows, 1, kMaxTableRows) || !in_range(columns, 1, kMaxTableColumns)) {
        error = QStringLiteral("a table of %1 x %2 cells is refused (1..%3 rows, 1..%4 columns)")
                    .arg(rows).arg(columns).arg(kMaxTableRows).arg(kMaxTableColumns);
        return -1;
    }
    const qint64 column_twips = std::max<qint64>(20, text_width_twips() / columns);
    auto table = std::make_unique<XmlNode>(QStringLiteral("w:tbl"));
    XmlNode* tblpr = table->add(QStringLiteral("w:tblPr"));
    tblpr->add(QStringLiteral("w:tblW"), {{QStringLiteral("w:w"), QString::number(column_twips * columns)},
                                          {QStringLiteral("w:type"), QStringLiteral("dxa")}});
    add_border_set(tblpr, "w:tblBorders");
    tblpr->add(QStringLiteral("w:tblLayout"), {{QStringLiteral("w:type"), QStringLiteral("fixed")}});
    XmlNode* grid = table->add(QStringLiteral("w:tblGrid"));
    for (int c = 0; c < columns; ++c) {
        grid->add(QStringLiteral("w:gridCol"), {{QStringLiteral("w:w"), QString::number(column_twips)}});
    }
    TableRef ref;
    ref.table = table.get();
    ref.rows = rows;
    ref.columns = columns;
    for (int r = 0; r < rows; ++r) {
        XmlNode* row = table->add(QStringLiteral("w:tr"));
        for (int c = 0; c < columns; ++c) {
            XmlNode* cell = row->add(QStringLiteral("w:tc"));
            XmlNode* tcpr = cell->add(QStringLiteral("w:tcPr"));
            tcpr->add(QStringLiteral("w:tcW"), {{QStringLiteral("w:w"), QString::number(column_twips)},
                                                {QStringLiteral("w:type"), QStringLiteral("dxa")}});
            tcpr->add(QStringLiteral("w:vAlign"), {{QStringLiteral("w:val"), QStringLiteral("top")}});
            cell->add(QStringLiteral("w:p"));
            TextPlace place;
            place.holder = cell;
            place.room_cx = column_twips * kEmuPerTwip;
            ref.cells.push_back(place);
        }
    }
    // Tables go before the paragraph that anchors the drawings, each followed
    // by an empty paragraph so that two tables never join into one.
    XmlNode* anchor = anchor_paragraph();
    const std::size_t at = anchor->index_in_parent();
    body_->insert(at, std::make_unique<XmlNode>(QStringLiteral("w:p")));
    body_->insert(at, std::move(table));
    tables_.push_back(std::move(ref));
    return static_cast<int>(tables_.size()) - 1;
}

TableRef* WordDocument::live_table(int table)
{
    if (table < 0 || table >= static_cast<int>(tables_.size()) || tables_[table].table == nullptr) {
        return nullptr;
    }
    return &tables_[table];
}

bool WordDocument::set_table_position(int table, int left, int top, QString& error)
{
    if (live_table(table) == nullptr) {
        error = QStringLiteral("no table %1 to change").arg(table);
        return false;
    }
    if (!in_range(left, -kMaxPoints, kMaxPoints) || !in_range(top, -kMaxPoints, kMaxPoints)) {
        error = QStringLiteral("table position %1,%2 is outside any page").arg(left).arg(top);
        return false;
    }
    // A table placed on the page travels in a shape of its own, anchored as
    // the text boxes are: readers place those exactly, while floating table
    // positions are honoured by some readers only in part of the page.
    TableRef& ref = tables_[table];
    if (ref.anchor == nullptr) {
        XmlNode* content = add_box_shape(left * kEmuPerPoint, top * kEmuPerPoint, 0, 0, true);
        XmlNode* tbl = ref.table;
        const std::size_t at = tbl->index_in_parent();
        XmlNode* body = tbl->parent;
        std::unique_ptr<XmlNode> moved = body->take(at);
        if (at < body->children.size() && body->children[at]->is("w:p") && body->children[at]->children.empty()) {
            body->take(at);  // the separating paragraph
        }
        content->append(std::move(moved));
        content->add(QStringLiteral("w:p"));
        ref.anchor = content->ancestor("wp:anchor");
    }
    ref.anchor->child("wp:positionH")->child("wp:posOffset")->children.front()->name = QString::number(left * kEmuPerPoint);
    ref.anchor->child("wp:positionV")->child("wp:posOffset")->children.front()->name = QString::number(top * kEmuPerPoint);
    fit_table_shape(ref);
    return true;
}

// The shape of a placed table takes the table's width and the sum of its
// row heights (rows without an exact height counted as one line).
void WordDocument::fit_table_shape(TableRef& ref)
{
    if (ref.anchor == nullptr) {
        return;
    }
    std::vector<XmlNode*> cols;
    ref.table->child("w:tblGrid")->find_all("w:gridCol", cols);
    qint64 width = 0;
    for (const XmlNode* c : cols) {
        width += c->attribute(QStringLiteral("w:w")).toLongLong();
    }
    qint64 height = 0;
    for (int r = 0; r < ref.rows; ++r) {
        const XmlNode* trpr = ref.cells[r * ref.columns].holder->parent->child("w:trPr");
        const XmlNode* row_height = trpr != nullptr ? trpr->child("w:trHeight") : nullptr;
        height += row_height != nullptr ? row_height->attribute(QStringLiteral("w:val")).toLongLong() : 300;
    }
    const QString cx = QString::number(width * kEmuPerTwip);
    const QString cy = QString::number(height * kEmuPerTwip);
    XmlNode* extent = ref.anchor->child("wp:extent");
    extent->set_attribute(QStringLiteral("cx"), cx);
    extent->set_attribute(QStringLiteral("cy"), cy);
    std::vector<XmlNode*> exts;
    ref.anchor->find_all("a:ext", exts);
    for (XmlNode* e : exts) {
        e->set_attribute(QStringLiteral("cx"), cx);
        e->set_attribute(QStringLiteral("cy"), cy);
    }
}

bool WordDocument::set_column_width(int table, int column, int width, QString& error)
{
    if (live_table(table) == nullptr || column < 0 || column >= tables_[table].columns) {
        error = QStringLiteral("no column %1 in table %2").arg(column).arg(table);
        return false;
    }
    if (!in_range(width, 0, kMaxPoints)) {
        error = QStringLiteral("column width %1 refused").arg(width);
        return false;
    }
    TableRef& ref = tables_[table];
    XmlNode* grid = ref.table->child("w:tblGrid");
    std::vector<XmlNode*> cols;
    grid->find_all("w:gridCol", cols);
    cols[column]->set_attribute(QStringLiteral("w:w"), twips(width));
    qint64 total = 0;
    for (const XmlNode* c : cols) {
        total += c->attribute(QStringLiteral("w:w")).toLongLong();
    }
    ref.table->child("w:tblPr")->child("w:tblW")->set_attribute(QStringLiteral("w:w"), QString::number(total));
    for (int r = 0; r < ref.rows; ++r) {
        TextPlace& place = ref.cells[r * ref.columns + column];
        place.holder->child("w:tcPr")->child("w:tcW")->set_attribute(QStringLiteral("w:w"), twips(width));
        place.room_cx = width * kEmuPerPoint;
    }
    fit_table_shape(ref);
    return true;
}

bool WordDocument::set_row_height(int table, int row, int height, bool exact, QString& error)
{
    if (live_table(table) == nullptr || row < 0 || row >= tables_[table].rows) {
        error = QStringLiteral("no row %1 in table %2").arg(row).arg(table);
        return false;
    }
    if (!in_range(height, 0, kMaxPoints)) {
        error = QStringLiteral("row height %1 refused").arg(height);
        return false;
    }
    TableRef& ref = tables_[table];
    XmlNode* tr = ref.cells[row * ref.columns].holder->parent;
    XmlNode* trpr = properties_of(tr, "w:trPr");
    ordered_child(trpr, "w:trHeight", kRowOrder)->attributes = {
        {QStringLiteral("w:val"), twips(height)},
        {QStringLiteral("w:hRule"), exact ? QStringLiteral("exact") : QStringLiteral("atLeast")}};
    // A picture may make a growing row taller; only an exact one bounds it.
    for (int c = 0; c < ref.columns; ++c) {
        ref.cells[row * ref.columns + c].room_cy = exact ? height * kEmuPerPoint : 0;
    }
    fit_table_shape(ref);
    return true;
}

TextPlace* WordDocument::box(int id)
{
    return id >= 0 && id < static_cast<int>(boxes_.size()) && boxes_[id].holder != nullptr ? &boxes_[id] : nullptr;
}

TextPlace* WordDocument::cell(int table, int row, int column)
{
    if (live_table(table) == nullptr) {
        return nullptr;
    }
    TableRef& ref = tables_[table];
    if (row < 0 || row >= ref.rows || column < 0 || column >= ref.columns) {
        return nullptr;
    }
    return &ref.cells[row * ref.columns + column];
}

std::unique_ptr<XmlNode> WordDocument::make_text_run(const QString& text, const XmlNode* run_properties) const
{
    auto run = std::make_unique<XmlNode>(QStringLiteral("w:r"));
    if (run_properties != nullptr) {
        auto copy = std::make_unique<XmlNode>(QStringLiteral("w:rPr"));
        copy->attributes = run_properties->attributes;
        for (const auto& c : run_properties->children) {
            if (c->kind == XmlNode::Element) {
                XmlNode* e = copy->add(c->name);
                e->attributes = c->attributes;
            }
        }
        run->append(std::move(copy));
    }
    // Line feeds become line breaks and tabs tab characters.
    const QString safe = xml_safe(text);
    QString piece;
    auto flush = [&]() {
        if (!piece.isEmpty()) {
            run->add(QStringLiteral("w:t"), {{QStringLiteral("xml:space"), QStringLiteral("preserve")}})->add_text(piece);
            piece.clear();
        }
    };
    for (int i = 0; i < safe.size(); ++i) {
        const QChar c = safe.at(i);
        if (c == QLatin1Char('\r') && i + 1 < safe.size() && safe.at(i + 1) == QLatin1Char('\n')) {
            continue;
        }
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            flush();
            run->add(QStringLiteral("w:br"));
        } else if (c == QLatin1Char('\t')) {
            flush();
            run->add(QStringLiteral("w:tab"));
        } else {
            piece.append(c);
        }
    }
    flush();
    return run;
}

bool WordDocument::append_text(TextPlace& place, const QString& text)
{
    XmlNode* paragraph = last_paragraph(place.holder);
    std::unique_ptr<XmlNode> run = make_text_run(text, nullptr);
    if (place.has_font) {
        apply_font(properties_of(run.get(), "w:rPr"), place.font);
    }
    paragraph->append(std::move(run));
    return true;
}

void WordDocument::set_font(TextPlace& place, const RunFont& font)
{
    place.has_font = true;
    place.font = font;
    std::vector<XmlNode*> runs;
    collect_runs(place.holder, runs);
    for (XmlNode* run : runs) {
        apply_font(properties_of(run, "w:rPr"), font);
    }
    // The paragraph marks too, so that an empty line has the same height.
    for (const auto& c : place.holder->children) {
        if (c->is("w:p")) {
            XmlNode* ppr = properties_of(c.get(), "w:pPr");
            apply_font(ordered_child(ppr, "w:rPr", kParagraphOrder), font);
        }
    }
}

void WordDocument::set_alignment(TextPlace& place, int alignment)
{
    place.alignment = alignment;
    for (const auto& c : place.holder->children) {
        if (c->is("w:p")) {
            apply_alignment(c.get(), alignment);
        }
    }
}

bool WordDocument::embed_picture(const QString& path, Picture& picture, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read the picture %1").arg(path);
        return false;
    }
    if (file.size() > kMaxPictureBytes) {
        error = QStringLiteral("the picture %1 is larger than %2 bytes").arg(path).arg(kMaxPictureBytes);
        return false;
    }
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format().toLower();
    const QSize size = reader.size();
    if (format.isEmpty() || !size.isValid() || size.width() < 1 || size.height() < 1 || size.width() > kMaxPictureSide
        || size.height() > kMaxPictureSide) {
        error = QStringLiteral("%1 is not a picture of a usable size").arg(path);
        return false;
    }
    QString suffix;
    QString type;
    if (format == "png") {
        suffix = QStringLiteral("png");
        type = QStringLiteral("image/png");
    } else if (format == "jpeg" || format == "jpg") {
        suffix = QStringLiteral("jpeg");
        type = QStringLiteral("image/jpeg");
    } else if (format == "gif") {
        suffix = QStringLiteral("gif");
        type = QStringLiteral("image/gif");
    } else {
        // Other formats are embedded as PNG, which every reader shows.
        QImage image;
        buffer.seek(0);
        QImageReader decoder(&buffer);
        if (!decoder.read(&image)) {
            error = QStringLiteral("cannot decode the picture %1").arg(path);
            return false;
        }
        QByteArray png;
        QBuffer out(&png);
        out.open(QIODevice::WriteOnly);
        image.save(&out, "PNG");
        bytes = png;
        suffix = QStringLiteral("png");
        type = QStringLiteral("image/png");
    }
    picture.part = new_media_name(suffix);
    picture.rel_id = new_rel_id();
    picture.cx = size.width() * kEmuPerPixel;
    picture.cy = size.height() * kEmuPerPixel;
    package_.parts.insert(picture.part, bytes);
    if (!package_.default_types.contains(suffix)) {
        package_.default_types.insert(suffix, type);
    }
    rels_.push_back({picture.rel_id, kRelImage, picture.part.mid(QFileInfo(main_part_).path().size() + 1), false});
    return true;
}

std::unique_ptr<XmlNode> WordDocument::make_picture_run(const Picture& picture, qint64 room_cx, qint64 room_cy)
{
    // A picture keeps its own size unless its place is smaller; then it is
    // scaled down with its proportions kept.
    double scale = 1.0;
    if (room_cx > 0 && picture.cx > room_cx) {
        scale = std::min(scale, static_cast<double>(room_cx) / picture.cx);
    }
    if (room_cy > 0 && picture.cy > room_cy) {
        scale = std::min(scale, static_cast<double>(room_cy) / picture.cy);
    }
    const QString cx = QString::number(std::max<qint64>(1, static_cast<qint64>(picture.cx * scale)));
    const QString cy = QString::number(std::max<qint64>(1, static_cast<qint64>(picture.cy * scale)));
    const long long id = next_drawing_id_++;
    const QString file_name = QFileInfo(picture.part).fileName();

    auto run = std::make_unique<XmlNode>(QStringLiteral("w:r"));
    XmlNode* inline_node = run->add(QStringLiteral("w:drawing"))
                               ->add(QStringLiteral("wp:inline"), {{QStringLiteral("distT"), QStringLiteral("0")},
                                                                   {QStringLiteral("distB"), QStringLiteral("0")},
                                                                   {QStringLiteral("distL"), QStringLiteral("0")},
                                                                   {QStringLiteral("distR"), QStringLiteral("0")}});
    inline_node->add(QStringLiteral("wp:extent"), {{QStringLiteral("cx"), cx}, {QStringLiteral("cy"), cy}});
    inline_node->add(QStringLiteral("wp:effectExtent"), {{QStringLiteral("l"), QStringLiteral("0")},
                                                         {QStringLiteral("t"), QStringLiteral("0")},
                                                         {QStringLiteral("r"), QStringLiteral("0")},
                                                         {QStringLiteral("b"), QStringLiteral("0")}});
    inline_node->add(QStringLiteral("wp:docPr"), {{QStringLiteral("id"), QString::number(id)},
                                                  {QStringLiteral("name"), QStringLiteral("Picture %1").arg(id)}});
    inline_node->add(QStringLiteral("wp:cNvGraphicFramePr"))
        ->add(QStringLiteral("a:graphicFrameLocks"), {{QStringLiteral("xmlns:a"), kNsA}, {QStringLiteral("noChangeAspect"), QStringLiteral("1")}});
    XmlNode* pic = inline_node->add(QStringLiteral("a:graphic"), {{QStringLiteral("xmlns:a"), kNsA}})
                       ->add(QStringLiteral("a:graphicData"), {{QStringLiteral("uri"), kNsPic}})
                       ->add(QStringLiteral("pic:pic"), {{QStringLiteral("xmlns:pic"), kNsPic}});
    XmlNode* nv = pic->add(QStringLiteral("pic:nvPicPr"));
    nv->add(QStringLiteral("pic:cNvPr"), {{QStringLiteral("id"), QString::number(id)}, {QStringLiteral("name"), file_name}});
    nv->add(QStringLiteral("pic:cNvPicPr"));
    XmlNode* fill = pic->add(QStringLiteral("pic:blipFill"));
    fill->add(QStringLiteral("a:blip"), {{QStringLiteral("r:embed"), picture.rel_id}});
    fill->add(QStringLiteral("a:stretch"))->add(QStringLiteral("a:fillRect"));
    XmlNode* sppr = pic->add(QStringLiteral("pic:spPr"));
    XmlNode* xfrm = sppr->add(QStringLiteral("a:xfrm"));
    xfrm->add(QStringLiteral("a:off"), {{QStringLiteral("x"), QStringLiteral("0")}, {QStringLiteral("y"), QStringLiteral("0")}});
    xfrm->add(QStringLiteral("a:ext"), {{QStringLiteral("cx"), cx}, {QStringLiteral("cy"), cy}});
    sppr->add(QStringLiteral("a:prstGeom"), {{QStringLiteral("prst"), QStringLiteral("rect")}})->add(QStringLiteral("a:avLst"));
    return run;
}

bool WordDocument::add_picture(TextPlace& place, const QString& path, QString& error)
{
    Picture picture;
    if (!embed_picture(path, picture, error)) {
        return false;
    }
    last_paragraph(place.holder)->append(make_picture_run(picture, place.room_cx, place.room_cy));
    return true;
}

}  // namespace office::detail
