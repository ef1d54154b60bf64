import QtQuick 2.15
import "../common"

// Range box of a chart's settings panel: automatic, or a manual minimum and
// maximum at least one degree apart.
Column {
    id: id_setting
    property string strTitle: qsTr("温度范围设置")
    property bool bAuto: true
    property bool bFilling: false
    property bool bReady: false

    signal sig_auto(bool b_auto)
    signal sig_min(string str_min)
    signal sig_max(string str_max)

    // Shows the chart's range without sending it back.
    function show_range(b_auto, str_min, str_max) {
        bFilling = true
        bAuto = b_auto
        id_min.text = str_min
        id_max.text = str_max
        bFilling = false
    }
    function check_and_send(b_min) {
        if (!bReady || bFilling || id_min.text === "" || id_min.text === "-" || id_max.text === "" || id_max.text === "-")
            return
        if (Number(id_max.text) < Number(id_min.text) + 0.99)
            return
        if (b_min) sig_min(id_min.text); else sig_max(id_max.text)
    }

    spacing: 6
    Component.onCompleted: bReady = true
    Text { text: id_setting.strTitle; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; textFormat: Text.PlainText }
    // The two choices share a line when the panel is wide enough.
    Flow {
        width: id_setting.width
        spacing: 12
        ItemCustomRadio {
            objectName: "radio_auto"
            strText: qsTr("自动")
            checked: id_setting.bAuto
            onSig_clicked: { id_setting.bAuto = true; id_setting.sig_auto(true) }
        }
        ItemCustomRadio {
            objectName: "radio_manual"
            strText: qsTr("手动（最小间隔1度）")
            checked: !id_setting.bAuto
            onSig_clicked: { id_setting.bAuto = false; id_setting.sig_auto(false) }
        }
    }
    Row {
        spacing: 6
        ItemCustomTextField {
            id: id_min
            objectName: "field_min"
            width: 70
            text: "0"
            enabled: !id_setting.bAuto
            validator: DoubleValidator { decimals: 1; notation: DoubleValidator.StandardNotation }
            onTextChanged: id_setting.check_and_send(true)
        }
        Text { text: "-"; color: ItemCommonClr.clrTextLabel; anchors.verticalCenter: parent.verticalCenter }
        ItemCustomTextField {
            id: id_max
            objectName: "field_max"
            width: 70
            text: "80"
            enabled: !id_setting.bAuto
            validator: DoubleValidator { decimals: 1; notation: DoubleValidator.StandardNotation }
            onTextChanged: id_setting.check_and_send(false)
        }
    }
}
