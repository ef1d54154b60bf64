import QtQuick 2.15
import "../common"

// The temperature-range dialog of an isotherm band: two fields with one
// decimal, OK and cancel. It lies over the page while shown.
Rectangle {
    id: id_dlg
    width: 280
    height: 130
    visible: false
    z: 10
    color: ItemCommonClr.clrTitleBackground
    border.color: ItemCommonClr.clrBackground

    signal sig_accept(real f_min, real f_max)

    function show_range(str_min, str_max) {
        id_min_field.input.text = str_min
        id_max_field.input.text = str_max
        visible = true
        id_min_field.input.forceActiveFocus()
    }
    function accept() {
        var lo = id_min_field.input, hi = id_max_field.input
        if (!lo.acceptableInput || !hi.acceptableInput) return false
        visible = false
        sig_accept(Number(lo.text), Number(hi.text))
        return true
    }

    Text {
        x: 10; y: 8
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 13
        text: qsTr("温度范围设置")
    }
    Row {
        x: 10; y: 40
        spacing: 10
        ItemRangeField { id: id_min_field; objectName: "input_range_min" }
        ItemRangeField { id: id_max_field; objectName: "input_range_max" }
    }
    Row {
        anchors { right: parent.right; bottom: parent.bottom; margins: 10 }
        spacing: 8
        ItemIRToolButton { objectName: "btn_range_ok"; strText: qsTr("确定"); onSig_press_btn: id_dlg.accept() }
        ItemIRToolButton { objectName: "btn_range_cancel"; strText: qsTr("取消"); onSig_press_btn: id_dlg.visible = false }
    }
}
