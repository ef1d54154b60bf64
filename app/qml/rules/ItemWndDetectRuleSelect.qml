import QtQuick 2.15
import "../common"
import "."

// Picks a rule to apply to an IR view: the rule tree without its menu, the
// chosen rule's analyses and formulas, and OK after a question.
ItemRuleDialogBox {
    id: id_wnd
    objectName: "wnd_rule_select"
    property var m_cur_item: null
    property var mn_id_rule: -1
    property string ms_anas: ""
    property bool mb_has_anas: false
    property var m_message: null

    title: ItemRuleText.strSelectDetectRule
    box_width: 700
    box_height: 600

    signal sig_set_rule(var cur_item, var n_id_rule, string str_anas)

    function show_setting(item) {
        m_cur_item = item
        visible = true
    }
    // A rule just added shows at once when its kind is the one shown.
    function slot_insert_detect_rule(n_id, n_sub_type, s_dev_type, s_dev_vol, s_dev_part, s_dev_shape) {
        id_tree.slot_insert_detect_rule(n_id, n_sub_type, s_dev_type, s_dev_vol, s_dev_part, s_dev_shape)
    }
    function update_tree() {
        update_fault_ctrl(-1)
        id_tree.update_rule_info()
    }
    function update_fault_ctrl(n_id) {
        id_anas.clear()
        id_formulas.clear()
        mn_id_rule = n_id
        mb_has_anas = false
        ms_anas = ""
        if (n_id === -1) {
            return
        }
        const rule = DataSql.get_detect_rule_info(n_id)
        ms_anas = rule.str_anas !== undefined ? rule.str_anas : ""
        mb_has_anas = rule.anas !== undefined
        const anas = rule.anas !== undefined ? rule.anas : []
        for (let i = 0; i < anas.length; ++i) {
            id_anas.append({ strText: anas[i].ana_alias + ": " + anas[i].ana_str })
        }
        const formulas = DataSql.get_detect_rule_formula(n_id)
        for (let j = 0; j < formulas.length; ++j) {
            const cls = ItemRuleText.is_alarm_degree(formulas[j].n_id_degree) ? ItemRuleText.strWarning
                                                                               : ItemRuleText.strEarlyWarning
            id_formulas.append({ strText: "[" + cls + "] " + formulas[j].str_formula })
        }
    }
    function accept() {
        m_message.ask(ItemRuleText.strSelectDetectRuleTips, function() {
            id_wnd.sig_set_rule(id_wnd.m_cur_item, id_wnd.mn_id_rule, id_wnd.ms_anas)
            id_wnd.visible = false
        })
    }
    onSig_close: visible = false

    ListModel { id: id_anas }
    ListModel { id: id_formulas }

    Row {
        id: id_kinds
        spacing: 6
        Repeater {
            model: [ItemRuleText.strStation, ItemRuleText.strTranslation, ItemRuleText.strDistribution]
            delegate: ItemRuleButton {
                objectName: "select_kind_" + index
                text: modelData
                checked: id_tree.mn_substation_type === index
                onClicked: {
                    id_wnd.update_fault_ctrl(-1)
                    id_tree.update_rule_tree_info(index)
                }
            }
        }
    }
    ItemAreaDetectRuleTree {
        id: id_tree
        objectName: "select_tree"
        anchors { left: parent.left; top: id_kinds.bottom; bottom: id_buttons.top; margins: 0; topMargin: 8; bottomMargin: 8 }
        width: 220
        mb_has_menu: false
        m_message: id_wnd.m_message
        onSig_show_detect_formula: id_wnd.update_fault_ctrl(n_id_detect_rule)
    }
    Column {
        anchors { left: id_tree.right; right: parent.right; top: id_tree.top; bottom: id_tree.bottom; leftMargin: 8 }
        spacing: 6
        ItemRuleTextList { objectName: "select_anas"; width: parent.width; height: (parent.height - 6) / 2; model: id_anas; title: ItemRuleText.strAnaList }
        ItemRuleTextList { objectName: "select_formulas"; width: parent.width; height: (parent.height - 6) / 2; model: id_formulas; title: ItemRuleText.strDetectFormula }
    }
    Item {
        id: id_buttons
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 30
        ItemElidedText {
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, id_select_buttons.x - 8)
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
            text: ItemRuleText.strDetectRuleTips
        }
        Row {
            id: id_select_buttons
            anchors.right: parent.right
            spacing: 10
            ItemRuleButton {
                objectName: "select_ok"
                text: ItemRuleText.strOK
                enabled: id_wnd.mn_id_rule !== -1 && (id_formulas.count > 0 || id_wnd.mb_has_anas)
                onClicked: id_wnd.accept()
            }
            ItemRuleButton { objectName: "select_cancel"; text: ItemRuleText.strCancel; onClicked: id_wnd.visible = false }
        }
    }
}
