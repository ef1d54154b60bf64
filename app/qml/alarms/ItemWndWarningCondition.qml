import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Dialogs 1.3
import "../common"

// The alarm dialog: up to four rows, all of which must hold, joined with
// " and " into one condition of the chosen degree.
Window {
    id: id_dlg
    objectName: "wnd_warning_condition"
    property var wndIRShow: null
    property var listAna: []
    property int nDegree: 1
    property int nColorDegree: 1
    property string strError: ""
    property color clrDegree1: "#ff0000"
    property color clrDegree2: "#ff8000"

    signal sig_new_add_warning_condition_text(int n_type, string str_text)

    flags: Qt.Dialog | Qt.FramelessWindowHint
    modality: Qt.ApplicationModal
    width: 443
    height: 334 + 35 + (DataConfig.n_language_type === 3 || DataConfig.n_language_type === 4 ? 40 : 10)
    color: ItemCommonClr.clrBackground
    title: qsTr("报警条件设置")

    function open_dialog() {
        var anas = wndIRShow !== null ? wndIRShow.get_warning_condition_anas() : []
        listAna = [{"n_ana_type": -1, "n_ana_index": -1, "n_ana_temp_type": -1, "n_ana_handle": -1, "s_ana_name": ""}]
                .concat(anas)
        for (var i = 0; i < id_rows.count; ++i) id_rows.itemAt(i).reset()
        nDegree = 1
        strError = ""
        show()
        requestActivate()
    }
    function accept() {
        var rows = [], texts = []
        for (var i = 0; i < id_rows.count; ++i) {
            var row = id_rows.itemAt(i)
            if (!row.bUsed) continue
            if (!row.is_valid()) {
                strError = qsTr("第%1行参数设置不正确，请修改！").arg(i + 1)
                id_error_timer.restart()
                return false
            }
            if (!row.has_number()) {
                strError = qsTr("第%1行的温度不是数值，请修改！").arg(i + 1)
                id_error_timer.restart()
                return false
            }
            rows.push(row.row_json())
            texts.push(row.formula())
        }
        if (rows.length > 0) {
            var text = texts.join(" and ")
            wndIRShow.add_warning_condition(nDegree, rows, text)
            sig_new_add_warning_condition_text(nDegree, text)
        }
        close()
        return true
    }

    Rectangle {
        anchors.fill: parent
        color: ItemCommonClr.clrTransparent
        border.color: ItemCommonClr.clrTextBroder
    }
    Text { x: 12; y: 10; textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: id_dlg.title }
    ItemWarningButton { objectName: "btn_warning_dialog_close"; x: id_dlg.width - width - 8; y: 6; strText: "\u2715"
        onSig_clicked: id_dlg.close() }

    Column {
        x: 12; y: 44
        spacing: 10
        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12
            text: qsTr("报警判断方式") + ItemCommonText.strColon + qsTr("满足所有条件") }
        Row {
            spacing: 8
            ItemCustomRadio { objectName: "radio_degree_1"; strText: qsTr("报警"); checked: id_dlg.nDegree === 1; onSig_clicked: id_dlg.nDegree = 1 }
            Rectangle { id: id_color_1; objectName: "color_degree_1"; color: id_dlg.clrDegree1; width: 24; height: 16; anchors.verticalCenter: parent.verticalCenter
                MouseArea { anchors.fill: parent; onClicked: { id_dlg.nColorDegree = 1; id_color_dialog.color = parent.color; id_color_dialog.open() } } }
            Item { width: 20; height: 1 }
            ItemCustomRadio { objectName: "radio_degree_2"; strText: qsTr("预警"); checked: id_dlg.nDegree === 2; onSig_clicked: id_dlg.nDegree = 2 }
            Rectangle { id: id_color_2; objectName: "color_degree_2"; color: id_dlg.clrDegree2; width: 24; height: 16; anchors.verticalCenter: parent.verticalCenter
                MouseArea { anchors.fill: parent; onClicked: { id_dlg.nColorDegree = 2; id_color_dialog.color = parent.color; id_color_dialog.open() } } }
        }
        Repeater {
            id: id_rows
            model: 4
            ItemWarningConditionRow { nRow: index; listAna: id_dlg.listAna; z: bOpen ? 10 : 0 }
        }
        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("注：减号(-)表示两值差值的绝对值！") }
        Text { objectName: "text_warning_error"; height: 16; textFormat: Text.PlainText; color: "#FF4040"; font.pixelSize: 12
            visible: id_error_timer.running; text: id_dlg.strError }
    }
    Row {
        anchors { right: parent.right; bottom: parent.bottom; margins: 12 }
        spacing: 10
        ItemWarningButton { objectName: "btn_warning_ok"; width: 70; strText: ItemCommonText.strTextOK; onSig_clicked: id_dlg.accept() }
        ItemWarningButton { objectName: "btn_warning_cancel"; width: 70; strText: ItemCommonText.strTextCancel; onSig_clicked: id_dlg.close() }
    }
    Timer { id: id_error_timer; interval: 2000 }

    ColorDialog {
        id: id_color_dialog
        onAccepted: {
            var clr = String(color)
            DataConfig.set_warning_color(id_dlg.nColorDegree, clr)
            DataCommon.sig_change_warning_color(id_dlg.nColorDegree, clr)
        }
    }
}
