import QtQuick 2.15
import "../common"
import "."

// The dialog that adds a rule.
ItemRuleDialogBox {
    id: id_wnd
    objectName: "wnd_add_detect_rule"
    title: ItemRuleText.strAddDetectRule
    box_width: 320
    box_height: 350

    signal sig_insert_detect_rule(var n_id, int n_sub_type, string s_dev_type, string s_dev_vol, string s_dev_part,
                                  string s_dev_shape)

    function show_wnd() {
        id_tip.text = ""
        visible = true
    }
    function accept() {
        const checks = [[id_type.text, ItemRuleText.strDeviceTypeNotEmpty],
                        [id_vol.text, ItemRuleText.strDeviceVoltageNotEmpty],
                        [id_part.text, ItemRuleText.strDevicePartNotEmpty],
                        [id_shape.text, ItemRuleText.strDeviceShapeNotEmpty]]
        for (let i = 0; i < checks.length; ++i) {
            if (checks[i][0] === "") {
                id_tip.text = checks[i][1]
                return
            }
        }
        const id = DataSql.insert_detect_rule(id_kind.mn_index, id_type.text, id_vol.text, id_part.text,
                                              id_shape.text, id_judge.text)
        if (id < 0) {
            id_tip.text = ItemRuleText.strAddDetectRuleErr
            return
        }
        sig_insert_detect_rule(id, id_kind.mn_index, id_type.text, id_vol.text, id_part.text, id_shape.text)
        visible = false
    }
    onSig_close: visible = false
    readonly property real mn_label_width: Math.ceil(Math.max(id_kind.label_implicit_width, id_type.label_implicit_width,
                                                             id_vol.label_implicit_width, id_part.label_implicit_width,
                                                             id_shape.label_implicit_width,
                                                             id_judge.label_implicit_width)) + 8

    Column {
        anchors.fill: parent
        spacing: 8
        ItemRuleChoice {
            id: id_kind
            objectName: "add_rule_kind"
            mn_label_width: id_wnd.mn_label_width
            width: parent.width
            label: ItemRuleText.strSubstationType
            model: [ItemRuleText.strStation, ItemRuleText.strTranslation, ItemRuleText.strDistribution]
        }
        ItemRuleField { id: id_type; mn_label_width: id_wnd.mn_label_width; objectName: "add_rule_type"; width: parent.width; label: ItemRuleText.strDeviceType }
        ItemRuleField { id: id_vol; mn_label_width: id_wnd.mn_label_width; objectName: "add_rule_vol"; width: parent.width; label: ItemRuleText.strDeviceVoltage }
        ItemRuleField { id: id_part; mn_label_width: id_wnd.mn_label_width; objectName: "add_rule_part"; width: parent.width; label: ItemRuleText.strDevicePart }
        ItemRuleField { id: id_shape; mn_label_width: id_wnd.mn_label_width; objectName: "add_rule_shape"; width: parent.width; label: ItemRuleText.strDeviceShape }
        ItemRuleField {
            id: id_judge
            objectName: "add_rule_judge"
            mn_label_width: id_wnd.mn_label_width
            width: parent.width
            label: ItemRuleText.strDetectRuleJudge
            mb_multi_line: true
        }
        Text {
            id: id_tip
            objectName: "add_rule_tip"
            width: parent.width
            height: 16
            color: "#FF6060"
            font.pixelSize: 12
            // One line: a long message shrinks rather than being cut.
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 8
        }
        Row {
            anchors.right: parent.right
            spacing: 10
            ItemRuleButton { objectName: "add_rule_ok"; text: ItemRuleText.strOK; onClicked: id_wnd.accept() }
            ItemRuleButton { objectName: "add_rule_cancel"; text: ItemRuleText.strCancel; onClicked: id_wnd.visible = false }
        }
    }
}
