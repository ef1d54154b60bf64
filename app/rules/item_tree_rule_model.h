// The detection rules of one substation type as a four-level tree (device
// type, voltage, part, shape; a shape node is one rule). The QML sees the
// rows that are shown, in tree order; nodes are named by small ids, never
// by pointers.
#pragma once

#include <QAbstractListModel>
#include <QJsonObject>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

class ItemTreeRuleModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int mn_item_height READ item_height CONSTANT)
    Q_PROPERTY(int count READ rowCount NOTIFY sig_count_changed)

public:
    enum Role {
        TreeName = Qt::UserRole + 1,
        TreeLevel,
        TreeID,
        TreeDataLevel,
        TreeExpand,
        TreeHasChildren,
        TreeNode,
    };

    explicit ItemTreeRuleModel(QObject* parent = nullptr);
    ~ItemTreeRuleModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    static int item_height() { return 20; }

    // Rebuilds the tree from the database's rules of that type.
    Q_INVOKABLE void init_rule_tree(int n_sub_type);
    // Adds a rule below its type, voltage and part nodes, making the missing
    // ones; with b_expand the existing nodes on the way are expanded.
    // Answers the shape node.
    Q_INVOKABLE int insert_detect_item(qint64 n_id, const QString& str_dev_type, const QString& str_dev_voltage,
                                       const QString& str_dev_part, const QString& str_shape, bool b_expand);
    // Nodes by name below a parent (0: the top level); 0 when none.
    Q_INVOKABLE int find_object(int parent, const QString& name) const;
    Q_INVOKABLE bool remove_object(int parent, const QString& name);
    Q_INVOKABLE void set_object_expand(int node);
    // Height of the shown rows.
    Q_INVOKABLE int get_object_height() const;
    Q_INVOKABLE bool is_empty() const;
    Q_INVOKABLE void clear_all();
    // TreeName, TreeLevel, TreeID, TreeDataLevel, TreeExpand and the names of
    // the parent and grandparent (str_parent, str_grandparent); empty for an
    // unknown node.
    Q_INVOKABLE QJsonObject get_node_info(int node) const;
    // The parent's id, 0 at the top level or for an unknown node.
    Q_INVOKABLE int get_parent(int node) const;

signals:
    void sig_count_changed();

private:
    struct Node;
    Node* node(int id) const;
    std::vector<std::unique_ptr<Node>>& children_of(Node* parent);
    Node* append(Node* parent, const QString& name, qint64 id, int data_level, bool expand);
    void rebuild_rows();
    void forget(Node* n);

    std::vector<std::unique_ptr<Node>> m_top;
    std::vector<Node*> m_rows;  // shown nodes in tree order
    std::unordered_map<int, Node*> m_nodes;  // live nodes by id
    int m_next_id = 1;
};
