import QtQuick 2.15
import QtQuick.Window 2.15
import "../common"

// The range dialog of a pixel-count trend: a focus range inside an overall
// range, started from the object's own minimum and maximum.
Window {
    id: id_dlg
    objectName: "wnd_pixel_range"
    property int nIndex: -1
    property int nIr: 0
    property int nAna: 0
    property var chartWnd: null
    property string strError: ""

    signal sig_success(int n_index, int h_ir, int h_ana, real f_max, real f_min, real f_ana_max, real f_ana_min)

    flags: Qt.Dialog | Qt.FramelessWindowHint
    modality: Qt.WindowModal
    width: DataConfig.n_language_type === 3 || DataConfig.n_language_type === 4 ? 450 : 320
    height: DataConfig.n_language_type === 3 || DataConfig.n_language_type === 4 ? 340 : 280
    color: ItemCommonClr.clrBackground

    // False (nothing shown) when the object's temperatures cannot be read.
    function show_wnd(n_index, h_ir, h_ana, chart_wnd) {
        var range = ManagerChartTrend.get_ana_temp_range(h_ana)
        if (range.f_max === undefined || range.f_max < -888.0 || range.f_min < -888.0) return false
        nIndex = n_index; nIr = h_ir; nAna = h_ana; chartWnd = chart_wnd === undefined ? null : chart_wnd
        id_focus_min.text = range.f_min.toFixed(1)
        id_focus_max.text = range.f_max.toFixed(1)
        id_all_min.text = (range.f_min - 5).toFixed(1)
        id_all_max.text = (range.f_max + 5).toFixed(1)
        id_ana_range.text = qsTr("分析温度范围：") + range.f_min.toFixed(1) + " - " + range.f_max.toFixed(1)
        strError = ""
        visible = true
        return true
    }
    function accept() {
        var a = Number(id_all_min.text), b = Number(id_focus_min.text), c = Number(id_focus_max.text), d = Number(id_all_max.text)
        if (isNaN(a) || isNaN(b) || isNaN(c) || isNaN(d) || !(a <= b && b <= c && c <= d)) {
            strError = qsTr("温度格式不正确，请重新设置！")
        } else if (chartWnd !== null && chartWnd.chart.has_ana(nIr, nAna, "(" + b.toFixed(1) + "-" + c.toFixed(1) + ")/(" + a.toFixed(1) + "-" + d.toFixed(1) + ")")) {
            strError = qsTr("已存在当前温度范围的像素数趋势曲线！")
        } else {
            visible = false
            sig_success(nIndex, nIr, nAna, d, a, c, b)
            return
        }
        id_error_timer.restart()
    }

    ItemWndHead { strTitle: qsTr("像素数温度范围设置"); onSig_close: id_dlg.visible = false }
    Timer { id: id_error_timer; interval: 3000; onTriggered: id_dlg.strError = "" }
    Grid {
        id: id_grid
        x: 16
        y: 42
        columns: 2
        spacing: 8
        // Limits may be negative: cold objects have cold ranges.
        Text { text: qsTr("关注最小温度"); color: ItemCommonClr.clrTextLabel; font.pixelSize: 12 }
        ItemCustomTextField { id: id_focus_min; objectName: "field_focus_min"; width: 80; validator: DoubleValidator { bottom: -273.0; decimals: 1 } }
        Text { text: qsTr("关注最大温度"); color: ItemCommonClr.clrTextLabel; font.pixelSize: 12 }
        ItemCustomTextField { id: id_focus_max; objectName: "field_focus_max"; width: 80; validator: DoubleValidator { bottom: -273.0; decimals: 1 } }
        Text { text: qsTr("整体最小温度"); color: ItemCommonClr.clrTextLabel; font.pixelSize: 12 }
        ItemCustomTextField { id: id_all_min; objectName: "field_all_min"; width: 80; validator: DoubleValidator { bottom: -273.0; decimals: 1 } }
        Text { text: qsTr("整体最大温度"); color: ItemCommonClr.clrTextLabel; font.pixelSize: 12 }
        ItemCustomTextField { id: id_all_max; objectName: "field_all_max"; width: 80; validator: DoubleValidator { bottom: -273.0; decimals: 1 } }
    }
    Column {
        x: 16
        anchors { top: id_grid.bottom; topMargin: 8 }
        spacing: 2
        Text { id: id_ana_range; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12; textFormat: Text.PlainText }
        Text { text: qsTr("范围设置说明：") + qsTr("整体最小温度 ≤ 关注最小温度 ≤ 关注最大温度 ≤ 整体最大温度"); width: id_dlg.width - 32; wrapMode: Text.Wrap; color: ItemCommonClr.clrTextLabel; font.pixelSize: 11 }
        Text { text: id_dlg.strError; color: "#FF4040"; font.pixelSize: 12; textFormat: Text.PlainText }
    }
    Row {
        id: id_buttons
        anchors { right: parent.right; rightMargin: 16; bottom: parent.bottom; bottomMargin: 10 }
        spacing: 8
        ItemCustomBtnNormal { objectName: "btn_pixel_ok"; width: 70; height: 24; strText: qsTr("确定"); onSig_btn_release: id_dlg.accept() }
        ItemCustomBtnNormal { width: 70; height: 24; strText: qsTr("取消"); onSig_btn_release: id_dlg.visible = false }
    }
}
