#include "rules/item_tree_rule_model.h"

#include "rules/data_sql.h"

#include <QJsonArray>

#include <functional>

struct ItemTreeRuleModel::Node {
    int uid = 0;
    QString name;
    qint64 rule_id = 0;
    int data_level = 0;
    int level = 0;
    bool expand = false;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
};

ItemTreeRuleModel::ItemTreeRuleModel(QObject* parent) : QAbstractListModel(parent) {}

ItemTreeRuleModel::~ItemTreeRuleModel() = default;

int ItemTreeRuleModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant ItemTreeRuleModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) {
        return {};
    }
    const Node* n = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
    case TreeName:
    case Qt::DisplayRole:
        return n->name;
    case TreeLevel:
        return n->level;
    case TreeID:
        return n->rule_id;
    case TreeDataLevel:
        return n->data_level;
    case TreeExpand:
        return n->expand;
    case TreeHasChildren:
        return !n->children.empty();
    case TreeNode:
        return n->uid;
    default:
        return {};
    }
}

QHash<int, QByteArray> ItemTreeRuleModel::roleNames() const
{
    return {{TreeName, "TreeName"},           {TreeLevel, "TreeLevel"},   {TreeID, "TreeID"},
            {TreeDataLevel, "TreeDataLevel"}, {TreeExpand, "TreeExpand"}, {TreeHasChildren, "TreeHasChildren"},
            {TreeNode, "TreeNode"}};
}

ItemTreeRuleModel::Node* ItemTreeRuleModel::node(int id) const
{
    const auto it = m_nodes.find(id);
    return it == m_nodes.end() ? nullptr : it->second;
}

std::vector<std::unique_ptr<ItemTreeRuleModel::Node>>& ItemTreeRuleModel::children_of(Node* parent)
{
    return parent == nullptr ? m_top : parent->children;
}

ItemTreeRuleModel::Node* ItemTreeRuleModel::append(Node* parent, const QString& name, qint64 id, int data_level,
                                                   bool expand)
{
    auto n = std::make_unique<Node>();
    n->uid = m_next_id++;
    n->name = name;
    n->rule_id = id;
    n->data_level = data_level;
    n->level = parent == nullptr ? 0 : parent->level + 1;
    n->expand = expand;
    n->parent = parent;
    Node* raw = n.get();
    m_nodes[raw->uid] = raw;
    children_of(parent).push_back(std::move(n));
    return raw;
}

void ItemTreeRuleModel::forget(Node* n)
{
    for (auto& child : n->children) {
        forget(child.get());
    }
    m_nodes.erase(n->uid);
}

void ItemTreeRuleModel::rebuild_rows()
{
    const int before = rowCount();
    beginResetModel();
    m_rows.clear();
    std::function<void(const std::vector<std::unique_ptr<Node>>&)> walk =
        [&](const std::vector<std::unique_ptr<Node>>& nodes) {
            for (const auto& n : nodes) {
                m_rows.push_back(n.get());
                if (n->expand) {
                    walk(n->children);
                }
            }
        };
    walk(m_top);
    endResetModel();
    if (rowCount() != before) {
        emit sig_count_changed();
    }
}

void ItemTreeRuleModel::init_rule_tree(int n_sub_type)
{
    m_top.clear();
    m_nodes.clear();
    const QJsonArray rules = DataSql::instance()->get_detect_rule_from_substation_type(n_sub_type);
    for (const QJsonValue& value : rules) {
        const QJsonObject rule = value.toObject();
        insert_detect_item(static_cast<qint64>(rule.value(QStringLiteral("n_id")).toDouble()),
                           rule.value(QStringLiteral("str_dev_type")).toString(),
                           rule.value(QStringLiteral("str_dev_voltage")).toString(),
                           rule.value(QStringLiteral("str_dev_part")).toString(),
                           rule.value(QStringLiteral("str_shape")).toString(), false);
    }
    rebuild_rows();
}

int ItemTreeRuleModel::insert_detect_item(qint64 n_id, const QString& str_dev_type, const QString& str_dev_voltage,
                                          const QString& str_dev_part, const QString& str_shape, bool b_expand)
{
    const QString names[3] = {str_dev_type, str_dev_voltage, str_dev_part};
    Node* parent = nullptr;
    for (int level = 0; level < 3; ++level) {
        Node* found = node(find_object(parent == nullptr ? 0 : parent->uid, names[level]));
        if (found == nullptr) {
            parent = append(parent, names[level], 0, level, b_expand);
            continue;
        }
        if (b_expand) {
            found->expand = true;
        }
        parent = found;
    }
    Node* shape = node(find_object(parent->uid, str_shape));
    if (shape == nullptr) {
        shape = append(parent, str_shape, n_id, 3, b_expand);
    }
    rebuild_rows();
    return shape->uid;
}

int ItemTreeRuleModel::find_object(int parent, const QString& name) const
{
    Node* p = parent == 0 ? nullptr : node(parent);
    if (parent != 0 && p == nullptr) {
        return 0;
    }
    const auto& nodes = p == nullptr ? m_top : p->children;
    for (const auto& n : nodes) {
        if (n->name == name) {
            return n->uid;
        }
    }
    return 0;
}

bool ItemTreeRuleModel::remove_object(int parent, const QString& name)
{
    Node* p = parent == 0 ? nullptr : node(parent);
    if (parent != 0 && p == nullptr) {
        return false;
    }
    auto& nodes = children_of(p);
    for (auto it = nodes.begin(); it != nodes.end(); ++it) {
        if ((*it)->name == name) {
            forget(it->get());
            nodes.erase(it);
            rebuild_rows();
            return true;
        }
    }
    return false;
}

void ItemTreeRuleModel::set_object_expand(int id)
{
    if (Node* n = node(id)) {
        n->expand = !n->expand;
        rebuild_rows();
    }
}

int ItemTreeRuleModel::get_object_height() const
{
    return rowCount() * item_height();
}

bool ItemTreeRuleModel::is_empty() const
{
    return m_top.empty();
}

void ItemTreeRuleModel::clear_all()
{
    m_top.clear();
    m_nodes.clear();
    rebuild_rows();
}

QJsonObject ItemTreeRuleModel::get_node_info(int id) const
{
    const Node* n = node(id);
    if (n == nullptr) {
        return {};
    }
    return {{"TreeName", n->name},
            {"TreeLevel", n->level},
            {"TreeID", n->rule_id},
            {"TreeDataLevel", n->data_level},
            {"TreeExpand", n->expand},
            {"str_parent", n->parent != nullptr ? n->parent->name : QString()},
            {"str_grandparent",
             n->parent != nullptr && n->parent->parent != nullptr ? n->parent->parent->name : QString()}};
}

int ItemTreeRuleModel::get_parent(int id) const
{
    const Node* n = node(id);
    return n != nullptr && n->parent != nullptr ? n->parent->uid : 0;
}
