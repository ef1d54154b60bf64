import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 1.4
import "../common"

// The dialog that builds one sampling condition of a live trend: a camera of
// the chart, one of its objects (or the whole picture), the temperature
// kind, how the value is taken, a comparison and a threshold.
Window {
    id: id_dlg
    objectName: "wnd_trend_record_setting"
    property var curItem: null
    property var arrIr: []
    property var arrAna: []

    signal sig_success(var item, string str_type, string str_operator, int h_ir, string str_ir_name, int h_ana,
                       int n_type, int n_attach, int n_operator, real f_temp)

    flags: Qt.Dialog | Qt.FramelessWindowHint
    modality: Qt.WindowModal
    width: 360
    height: DataConfig.n_language_type === 0 ? 190 : 222
    color: ItemCommonClr.clrBackground

    readonly property var arrType: ["[Max]", "[Min]", "[Avg]"]
    readonly property var arrOperator: [">", "<"]
    function attach_text(n) { return n === 1 ? qsTr("帧温差") : (n === 2 ? qsTr("绝对值") : "") }

    // False (nothing shown) when no camera of the list is known.
    function show_wnd(item, ir_list) {
        var irs = []
        for (var i = 0; i < ir_list.length; ++i) {
            var name = ManagerChartTrend.get_ir_name(ir_list[i])
            if (name !== "") irs.push({ "nIr": ir_list[i], "strName": name })
        }
        if (irs.length === 0) return false
        curItem = item
        arrIr = irs
        id_ir.currentIndex = 0
        load_anas()
        id_type.currentIndex = 0
        id_attach.currentIndex = 0
        id_operator.currentIndex = 0
        id_temp.text = "25"
        visible = true
        return true
    }
    function load_anas() {
        arrAna = id_ir.currentIndex >= 0 && id_ir.currentIndex < arrIr.length
                 ? ManagerChartTrend.get_ir_anas(arrIr[id_ir.currentIndex].nIr) : []
        id_ana.currentIndex = 0
    }
    // A point has only its one temperature.
    readonly property bool bPoint: id_ana.currentIndex > 0 && id_ana.currentIndex < arrAna.length
                                   && arrAna[id_ana.currentIndex].n_ana_type === 0
    onBPointChanged: if (bPoint) id_type.currentIndex = 0
    readonly property string strAnaName: id_ana.currentIndex >= 0 && id_ana.currentIndex < arrAna.length
                                         ? arrAna[id_ana.currentIndex].s_ana_name : ""
    readonly property string strPreview: strAnaName + arrType[Math.max(0, id_type.currentIndex)]
                                         + attach_text(id_attach.currentIndex) + " "
                                         + arrOperator[Math.max(0, id_operator.currentIndex)] + " " + id_temp.text
    function accept() {
        if (id_temp.text === "" || id_ir.currentIndex < 0 || id_ana.currentIndex < 0 || id_ana.currentIndex >= arrAna.length)
            return
        var ir = arrIr[id_ir.currentIndex]
        visible = false
        sig_success(curItem, arrType[id_type.currentIndex], " " + arrOperator[id_operator.currentIndex] + " " + id_temp.text,
                    ir.nIr, ir.strName, arrAna[id_ana.currentIndex].n_ana_id, id_type.currentIndex,
                    id_attach.currentIndex, id_operator.currentIndex, Number(id_temp.text))
    }

    Rectangle { anchors.fill: parent; color: "transparent"; border.width: 1; border.color: ItemCommonClr.clrTitleBackground; z: 10 }
    ItemWndHead { id: id_head; strTitle: qsTr("采样条件设置"); onSig_close: id_dlg.visible = false }
    Column {
        x: 16
        anchors { top: id_head.bottom; topMargin: 10 }
        spacing: 8
        Row {
            spacing: 6
            Text {
                width: 80; height: 24; verticalAlignment: Text.AlignVCenter
                text: qsTr("设备名称") + ItemCommonText.strColon
                color: ItemCommonClr.clrTextLabel; font.pixelSize: 12
            }
            ComboBox {
                id: id_ir
                objectName: "combo_record_ir"
                width: 240
                style: ItemBtnAllStyle.g_combo_style
                model: id_dlg.arrIr.map(function (e) { return e.strName })
                onActivated: id_dlg.load_anas()
            }
        }
        Row {
            spacing: 4
            ComboBox {
                id: id_ana
                objectName: "combo_record_ana"
                width: 90
                style: ItemBtnAllStyle.g_combo_style
                model: id_dlg.arrAna.map(function (e) { return e.s_ana_name })
            }
            ComboBox {
                id: id_type
                objectName: "combo_record_type"
                width: 60
                enabled: !id_dlg.bPoint
                style: ItemBtnAllStyle.g_combo_style
                model: id_dlg.arrType
            }
            ComboBox {
                id: id_attach
                objectName: "combo_record_attach"
                width: 64
                style: ItemBtnAllStyle.g_combo_style
                model: ["", id_dlg.attach_text(1), id_dlg.attach_text(2)]
            }
            ComboBox {
                id: id_operator
                objectName: "combo_record_operator"
                width: 36
                style: ItemBtnAllStyle.g_combo_style
                model: id_dlg.arrOperator
            }
            ItemCustomTextField {
                id: id_temp
                objectName: "field_record_temp"
                width: 50
                text: "25"
                validator: DoubleValidator { bottom: -273.0; decimals: 1; notation: DoubleValidator.StandardNotation }
            }
            Text { height: 24; verticalAlignment: Text.AlignVCenter; text: "℃"; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12 }
        }
        Text {
            objectName: "text_record_preview"
            width: id_dlg.width - 32
            elide: Text.ElideRight
            textFormat: Text.PlainText
            text: qsTr("设置条件") + ItemCommonText.strColon + id_dlg.strPreview
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
        }
    }
    Row {
        anchors { right: parent.right; rightMargin: 16; bottom: parent.bottom; bottomMargin: 10 }
        spacing: 8
        ItemCustomBtnNormal { objectName: "btn_record_ok"; width: 70; height: 24; strText: ItemCommonText.strTextOK; onSig_btn_release: id_dlg.accept() }
        ItemCustomBtnNormal { width: 70; height: 24; strText: ItemCommonText.strTextCancel; onSig_btn_release: id_dlg.visible = false }
    }
}
