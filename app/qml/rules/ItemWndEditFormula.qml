import QtQuick 2.15
import "../common"
import "."

// The dialog that adds a fault formula to a rule or changes one.
ItemRuleDialogBox {
    id: id_wnd
    objectName: "wnd_edit_formula"
    property bool mb_add: true
    property var mn_id: -1    // the rule's id when adding, else the formula's
    readonly property var degree_ids: [1, 2, 3, 4]
    readonly property var degree_names: [ItemRuleText.strFaultUrgent, ItemRuleText.strFaultSerious,
                                         ItemRuleText.strFaultConcern, ItemRuleText.strFaultGeneral]

    title: mb_add ? ItemRuleText.strAddDetectRule : ItemRuleText.strChangeDetectRule
    box_width: 500
    box_height: 320

    signal sig_add_formula(var n_id_formula, int n_id_fault, string s_degree, string s_formula, string s_des,
                           string s_fault, string s_thermal, string s_handing)
    signal sig_change_formula(var n_id_formula, int n_id_fault, string s_degree, string s_formula, string s_des,
                              string s_fault, string s_thermal, string s_handing)

    function show_wnd(b_add, n_id, n_id_fault, s_formula, s_des, s_fault, s_thermal, s_handing) {
        mb_add = b_add
        mn_id = n_id
        id_degree.mn_index = 0
        if (!b_add) {
            const at = degree_ids.indexOf(n_id_fault)
            id_degree.mn_index = at >= 0 ? at : 0
            id_formula.text = s_formula
            id_des.text = s_des
            id_fault.text = s_fault
            id_thermal.text = s_thermal
            id_handing.text = s_handing
        }
        id_tip.text = ""
        visible = true
    }
    function accept() {
        if (id_formula.text === "") {
            id_tip.text = ItemRuleText.strDetectFormulaNotEmpty
            return
        }
        const degree = degree_ids[id_degree.mn_index]
        const name = degree_names[id_degree.mn_index]
        const info = { fault_degree_id: degree, fault_degree_name: name, formula: id_formula.text,
                       des_of_formula: id_des.text, fault_feature: id_fault.text,
                       handing_suggestion: id_handing.text, thermal_feature: id_thermal.text }
        if (mb_add) {
            info.detect_rules_id = mn_id
            const id = DataSql.insert_rule_formula(info)
            if (id <= 0) {
                id_tip.text = ItemRuleText.strAddDetectFormulaErr
                return
            }
            sig_add_formula(id, degree, name, id_formula.text, id_des.text, id_fault.text, id_thermal.text,
                            id_handing.text)
        } else {
            info.id_formula = mn_id
            if (!DataSql.modify_rule_formula(info)) {
                id_tip.text = ItemRuleText.strChangeDetectFormulaErr
                return
            }
            sig_change_formula(mn_id, degree, name, id_formula.text, id_des.text, id_fault.text, id_thermal.text,
                               id_handing.text)
        }
        visible = false
    }
    onSig_close: visible = false
    readonly property real mn_label_width: Math.ceil(Math.max(id_degree.label_implicit_width,
                                                             id_formula.label_implicit_width,
                                                             id_des.label_implicit_width,
                                                             id_fault.label_implicit_width)) + 8

    Column {
        anchors.fill: parent
        spacing: 6
        ItemRuleChoice {
            id: id_degree
            objectName: "formula_degree"
            mn_label_width: id_wnd.mn_label_width
            width: parent.width
            label: ItemRuleText.strWarningDegree
            model: id_wnd.degree_names
        }
        ItemRuleField { id: id_formula; mn_label_width: id_wnd.mn_label_width; objectName: "formula_text"; width: parent.width; label: ItemRuleText.strDetectFormula }
        ItemRuleField { id: id_des; mn_label_width: id_wnd.mn_label_width; objectName: "formula_des"; width: parent.width; label: ItemRuleText.strDes }
        ItemRuleField { id: id_fault; mn_label_width: id_wnd.mn_label_width; objectName: "formula_fault"; width: parent.width; label: ItemRuleText.strFaultDes }
        Row {
            width: parent.width
            spacing: 8
            ItemRuleField {
                id: id_thermal
                objectName: "formula_thermal"
                width: (parent.width - 8) / 2
                mn_label_width: id_wnd.mn_label_width
                label: ItemRuleText.strThermalDes
                mb_multi_line: true
            }
            ItemRuleField {
                id: id_handing
                objectName: "formula_handing"
                width: (parent.width - 8) / 2
                label: ItemRuleText.strHandingDes
                mb_multi_line: true
            }
        }
        Item {
            width: parent.width
            height: 30
            Text {
                id: id_tip
                objectName: "formula_tip"
                anchors.verticalCenter: parent.verticalCenter
                width: id_buttons.x - 8
                color: "#FF6060"
                font.pixelSize: 12
                // One line beside the buttons: a long message shrinks.
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 8
            }
            Row {
                id: id_buttons
                anchors.right: parent.right
                spacing: 10
                ItemRuleButton { objectName: "formula_ok"; text: ItemRuleText.strOK; onClicked: id_wnd.accept() }
                ItemRuleButton { objectName: "formula_cancel"; text: ItemRuleText.strCancel; onClicked: id_wnd.visible = false }
            }
        }
    }
}
