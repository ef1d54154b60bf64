import QtQuick 2.15
import VY.WndIRShow 1.0
import "../common"
import "."

// The rule management area: the rule tree of one substation type on the
// left; the chosen rule's sample picture, criterion, formula help and
// formula table on the right.
Rectangle {
    id: id_area
    objectName: "area_detect_rule"
    property var mn_cur_id_rule: -1
    property string ms_cur_rule_anas: ""
    property int mn_cur_rule_sub_type: 0
    property string ms_cur_rule_dev_type: ""
    property string ms_cur_rule_dev_vol: ""
    property string ms_cur_rule_dev_part: ""
    property string ms_cur_rule_shape: ""
    property int mn_cur_detect_formula: -1
    property bool mb_show_picture: false
    // Set by the page that holds the dialogs.
    property var m_message: null
    property var m_wnd_add_rule: null
    property var m_wnd_edit_formula: null
    property var m_wnd_import: null
    property var m_wnd_export: null
    property var m_file_dialog: null
    readonly property alias tree: id_tree
    readonly property alias ir_show: id_panel.ir_show
    readonly property alias formula_model: id_formula_model

    signal sig_rules_deleted()

    color: ItemCommonClr.clrClientBackground

    function set_substation_type(n_type) {
        update_fault_ctrl(-1)
        id_tree.update_rule_tree_info(n_type)
    }
    // After an import: everything is read again.
    function slot_import_end() {
        update_fault_ctrl(-1)
        id_tree.update_rule_info()
    }
    function update_fault_ctrl(n_id) {
        mn_cur_id_rule = n_id
        mn_cur_detect_formula = -1
        id_formula_model.clear()
        if (n_id === -1) {
            mb_show_picture = false
            return
        }
        const rule = DataSql.get_detect_rule_info(n_id)
        ms_cur_rule_anas = rule.str_anas !== undefined ? rule.str_anas : ""
        mb_show_picture = rule.str_file_path ? open_picture(rule.str_file_path) : false
        id_panel.judge_text = rule.str_judge_des !== undefined ? rule.str_judge_des : ""
        mn_cur_rule_sub_type = rule.n_substation_type !== undefined ? rule.n_substation_type : 0
        ms_cur_rule_dev_type = rule.str_dev_type || ""
        ms_cur_rule_dev_vol = rule.str_dev_voltage || ""
        ms_cur_rule_dev_part = rule.str_dev_part || ""
        ms_cur_rule_shape = rule.str_shape || ""
        const formulas = DataSql.get_detect_rule_formula(n_id)
        for (let i = 0; i < formulas.length; ++i) {
            append_formula(formulas[i].n_id, formulas[i].n_id_degree, formulas[i].str_fault_degree,
                           formulas[i].str_formula, formulas[i].str_des_of_formula, formulas[i].str_judgement_result,
                           formulas[i].str_thermal_feature, formulas[i].str_handing_suggestion)
        }
    }
    // Opens an infrared picture with the rule's analyses; false for anything else.
    function open_picture(path) {
        if (!id_panel.ir_show.open_file(path, "") || id_panel.ir_show.is_show_normal_image()) {
            return false
        }
        id_panel.fit_view()
        id_panel.ir_show.load_ana_from_string(ms_cur_rule_anas)
        return true
    }
    function slot_picture_chosen(url) {
        mb_show_picture = open_picture(url)
        if (!mb_show_picture) {
            m_message.show_message(ItemRuleText.strAddIRPicErrTips)
        }
    }
    function save_picture_info() {
        if (!mb_show_picture || mn_cur_id_rule <= 0) {
            return
        }
        const anas = id_panel.ir_show.get_anas_json()
        const target = DataSql.get_rule_picture_target(mn_cur_rule_sub_type, ms_cur_rule_dev_type,
                                                       ms_cur_rule_dev_vol, ms_cur_rule_dev_part, ms_cur_rule_shape)
        const saved = target === "" ? "" : id_panel.ir_show.copy_to_path(target)
        if (saved === "") {
            m_message.show_message(ItemRuleText.strErrSavePic)
            return
        }
        const ok = DataSql.modify_detect_rule(mn_cur_id_rule, saved, anas)
        if (ok) {
            ms_cur_rule_anas = anas
        }
        m_message.show_message(ok ? ItemRuleText.strOKSavePic : ItemRuleText.strErrSavePic)
    }
    function append_formula(n_id_formula, n_id_fault, s_degree, s_formula, s_des, s_fault, s_thermal, s_handing) {
        id_formula_model.append({ nIndex: id_formula_model.count + 1, strFaultName: s_degree, strFormula: s_formula,
                                  strDes: s_des, strFaultDes: s_fault, strThermalDes: s_thermal,
                                  strHanding: s_handing, nFaultID: n_id_fault, nFormulaID: n_id_formula })
    }
    function change_formula(n_id_formula, n_id_fault, s_degree, s_formula, s_des, s_fault, s_thermal, s_handing) {
        if (mn_cur_detect_formula < 0) {
            return
        }
        id_formula_model.set(mn_cur_detect_formula, { strFaultName: s_degree, strFormula: s_formula, strDes: s_des,
                                                      strFaultDes: s_fault, strThermalDes: s_thermal,
                                                      strHanding: s_handing, nFaultID: n_id_fault })
    }
    function edit_selected_formula() {
        if (mn_cur_detect_formula < 0) {
            return
        }
        const row = id_formula_model.get(mn_cur_detect_formula)
        m_wnd_edit_formula.show_wnd(false, row.nFormulaID, row.nFaultID, row.strFormula, row.strDes, row.strFaultDes,
                                    row.strThermalDes, row.strHanding)
    }
    function delete_selected_formula() {
        const index = mn_cur_detect_formula
        m_message.ask(ItemRuleText.strDeleteFormulaTip, function() {
            if (!DataSql.delete_rule_formula(id_formula_model.get(index).nFormulaID)) {
                m_message.show_message(ItemRuleText.strDeleteFormulaErr)
                return
            }
            id_formula_model.remove(index)
            mn_cur_detect_formula = -1
        })
    }

    ListModel { id: id_formula_model }

    Connections {
        target: id_area.m_file_dialog
        function onSig_accepted(item, purpose, urls) {
            if (item === id_area && urls.length > 0) {
                id_area.slot_picture_chosen(urls[0].toString())
            }
        }
    }

    Column {
        id: id_left
        width: 200
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom; margins: 6 }
        spacing: 6
        Repeater {
            model: [ItemRuleText.strStation, ItemRuleText.strTranslation, ItemRuleText.strDistribution]
            delegate: ItemRuleButton {
                objectName: "rule_kind_" + index
                width: 100
                text: modelData
                checked: id_tree.mn_substation_type === index
                onClicked: if (!checked) id_area.set_substation_type(index)
            }
        }
        Row {
            spacing: 6
            ItemRuleButton {
                objectName: "rule_import"
                text: ItemRuleText.strImport
                onClicked: id_area.m_wnd_import.show_wnd()
            }
            ItemRuleButton {
                objectName: "rule_export"
                text: ItemRuleText.strExport
                onClicked: id_area.m_wnd_export.show_wnd()
            }
        }
        ItemAreaDetectRuleTree {
            id: id_tree
            objectName: "rule_tree"
            width: parent.width
            height: id_left.height - y
            m_message: id_area.m_message
            onSig_show_detect_formula: id_area.update_fault_ctrl(n_id_detect_rule)
            onSig_add_detect_rule: id_area.m_wnd_add_rule.show_wnd()
            onSig_rules_deleted: id_area.sig_rules_deleted()
        }
    }

    Text {
        anchors.centerIn: id_panel
        visible: id_area.mn_cur_id_rule === -1
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 14
        text: ItemRuleText.strDetectRuleSelected
    }
    ItemRulePanel {
        id: id_panel
        area: id_area
        anchors { left: id_left.right; right: parent.right; top: parent.top; bottom: parent.bottom; margins: 6 }
        visible: id_area.mn_cur_id_rule !== -1
        onSig_add_picture: id_area.m_file_dialog.show_open_ir_image(id_area, 0, DataConfig.get_detect_rule_path())
    }
}
