import QtQuick 2.15
import VY.ItemTreeRuleModel 1.0
import "../common"
import "."

// The rules of one substation type as a tree of device type, voltage, part
// and shape, with a context menu to add a rule, delete a branch or a rule,
// and clear the type.
Rectangle {
    id: id_tree
    property int mn_substation_type: 0
    property bool mb_has_menu: true
    property bool mb_enable_tooltip: true
    property bool mb_has_delete: false
    property bool mb_empty_tree: true
    property int mn_cur_model: 0         // selected node
    property int mn_cur_menu_model: 0    // node under the last right click
    property var m_message: null         // ItemRuleMessage for questions and results
    readonly property alias model: id_model

    signal sig_show_detect_formula(var n_id_detect_rule)
    signal sig_add_detect_rule()
    signal sig_rules_deleted()

    color: ItemCommonClr.clrClientBackground
    clip: true

    function update_rule_tree_info(n_sub_type) {
        mn_substation_type = n_sub_type
        update_rule_info()
    }
    function update_rule_info() {
        mn_cur_model = 0
        id_model.init_rule_tree(mn_substation_type)
    }
    // A rule just added by the add-rule dialog.
    function slot_insert_detect_rule(n_id, n_sub_type, s_type, s_vol, s_part, s_shape) {
        if (n_sub_type === mn_substation_type) {
            id_model.insert_detect_item(n_id, s_type, s_vol, s_part, s_shape, true)
        }
    }
    function select_node(node) {
        if (node === mn_cur_model) {
            return
        }
        mn_cur_model = node
        const info = id_model.get_node_info(node)
        sig_show_detect_formula(info.TreeDataLevel === 3 && info.TreeID > 0 ? info.TreeID : -1)
    }
    function open_menu(node, x, y) {
        if (!mb_has_menu) {
            return
        }
        mn_cur_menu_model = node
        mb_has_delete = node !== 0
        mb_empty_tree = id_model.is_empty()
        id_menu.x = Math.min(x, id_tree.width - id_menu.width)
        id_menu.y = Math.min(y, id_tree.height - id_menu.height)
        id_menu.visible = true
    }
    function clear_all_rules() {
        const ok = DataSql.delete_all_rule(mn_substation_type)
        if (ok) {
            id_model.clear_all()
            mn_cur_model = 0
            sig_show_detect_formula(-1)
        }
        m_message.show_message(ok ? ItemRuleText.strClearDataSuccess : ItemRuleText.strClearDataErr)
        sig_rules_deleted()
    }
    function delete_menu_node() {
        const node = mn_cur_menu_model
        const info = id_model.get_node_info(node)
        const level = info.TreeDataLevel
        const type = level === 0 ? info.TreeName : level === 1 ? info.str_parent : level === 2 ? info.str_grandparent : ""
        const vol = level === 1 ? info.TreeName : level === 2 ? info.str_parent : ""
        const part = level === 2 ? info.TreeName : ""
        const ok = DataSql.delete_detect_rule(mn_substation_type, type, vol, part, level === 3 ? info.TreeID : -1)
        if (ok) {
            id_model.remove_object(id_model.get_parent(node), info.TreeName)
            if (id_model.get_node_info(mn_cur_model).TreeName === undefined) {
                mn_cur_model = 0
                sig_show_detect_formula(-1)
            }
        }
        m_message.show_message(ok ? ItemRuleText.strDeleteDataSuccess : ItemRuleText.strDeleteDataErr)
        sig_rules_deleted()
    }

    ItemTreeRuleModel {
        id: id_model
    }
    Component.onCompleted: id_model.init_rule_tree(mn_substation_type)

    // Right press below the rows: the menu without the delete entry.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onPressed: {
            id_menu.visible = false
            if (mouse.button === Qt.RightButton) {
                id_tree.open_menu(0, mouse.x, mouse.y)
            }
        }
    }
    ListView {
        id: id_list
        objectName: "rule_tree_list"
        anchors.fill: parent
        model: id_model
        boundsBehavior: Flickable.StopAtBounds
        interactive: contentHeight > height
        delegate: ItemRuleTreeRow {
            width: id_list.width
            tree: id_tree
        }
    }
    ItemToolTip { id: id_tip }
    function show_tip(text, x, y) {
        if (mb_enable_tooltip) {
            id_tip.place(x, y, text)
        }
    }
    function hide_tip() {
        id_tip.hide_tip()
    }

    ItemRuleTreeMenu {
        id: id_menu
        tree: id_tree
    }
}
