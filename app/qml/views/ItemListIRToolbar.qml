import QtQuick 2.15
import "../common"

// The analysis toolbar of an IR view: the six shape buttons, delete, clear
// and the display switches. A narrow view wraps them onto more rows.
Rectangle {
    id: id_bar
    color: ItemCommonClr.clrTitleBackground

    signal sig_press_btn(int n_id, bool b_checked)
    // The picture window offers batch analysis of its analyses.
    property bool bBatchAna: false
    // The height that shows every row of buttons.
    readonly property real fContentHeight: id_flow.height + 8

    // Shows a chart button as pressed or not (the chart row may hide a chart).
    function set_chart_checked(n_id, b_checked) {
        if (n_id === ItemCommonDef.idBtnChartLine) id_chart_line.bChecked = b_checked
        else if (n_id === ItemCommonDef.idBtnChartArea) id_chart_area.bChecked = b_checked
    }
    // The isotherm button follows the strip when the page hides it.
    function set_isotherm_checked(b_checked) { id_isotherm.bChecked = b_checked }

    // Releases every shape button but the one of n_keep_id.
    function uncheck_shapes(n_keep_id) {
        var shapes = [id_point, id_line, id_rect, id_ellipse, id_polygon, id_polyline]
        for (var i = 0; i < shapes.length; ++i) {
            if (shapes[i].nBtnId !== n_keep_id) {
                shapes[i].bChecked = false
            }
        }
    }

    Flow {
        id: id_flow
        anchors { left: parent.left; right: parent.right; verticalCenter: parent.verticalCenter; leftMargin: 6; rightMargin: 6 }
        spacing: 2
        ItemIRToolButton { id: id_point; objectName: "btn_add_point"; nBtnId: ItemCommonDef.idBtnAddPoint; bCheckable: true; strText: qsTr("点"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { id: id_line; objectName: "btn_add_line"; nBtnId: ItemCommonDef.idBtnAddLine; bCheckable: true; strText: qsTr("线"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { id: id_rect; objectName: "btn_add_rect"; nBtnId: ItemCommonDef.idBtnAddRect; bCheckable: true; strText: qsTr("矩形"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { id: id_ellipse; objectName: "btn_add_ellipse"; nBtnId: ItemCommonDef.idBtnAddEllipse; bCheckable: true; strText: qsTr("椭圆"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { id: id_polygon; objectName: "btn_add_polygon"; nBtnId: ItemCommonDef.idBtnAddPolygon; bCheckable: true; strText: qsTr("多边形"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { id: id_polyline; objectName: "btn_add_polyline"; nBtnId: ItemCommonDef.idBtnAddPolyline; bCheckable: true; strText: qsTr("折线"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        Item { width: 12; height: 1 }
        ItemIRToolButton { objectName: "btn_delete_ana"; nBtnId: ItemCommonDef.idBtnDeleteAna; strText: qsTr("删除"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_clear_ana"; nBtnId: ItemCommonDef.idBtnClearAna; strText: qsTr("清空"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        Item { width: 12; height: 1 }
        ItemIRToolButton { objectName: "btn_mouse_temp"; nBtnId: ItemCommonDef.idBtnShowMouseTemp; bCheckable: true; strText: qsTr("鼠标温度"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_max_point"; nBtnId: ItemCommonDef.idBtnShowMaxTemp; bCheckable: true; strText: qsTr("最高点"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_min_point"; nBtnId: ItemCommonDef.idBtnShowMinTemp; bCheckable: true; strText: qsTr("最低点"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        Item { width: 12; height: 1 }
        ItemIRToolButton { id: id_chart_line; objectName: "btn_chart_line"; nBtnId: ItemCommonDef.idBtnChartLine; bCheckable: true; strText: qsTr("线分析图"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { id: id_chart_area; objectName: "btn_chart_area"; nBtnId: ItemCommonDef.idBtnChartArea; bCheckable: true; strText: qsTr("直方图"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { id: id_isotherm; objectName: "btn_isotherm"; nBtnId: ItemCommonDef.idBtnIsotherm; bCheckable: true; strText: qsTr("等温"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_palette"; nBtnId: ItemCommonDef.idBtnChangePalette; strText: qsTr("调色板"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_copy_temp"; nBtnId: ItemCommonDef.idBtnCopyTemp; strText: qsTr("复制温度"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_temp_table"; nBtnId: ItemCommonDef.idBtnShowTempTable; strText: qsTr("温度表"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_temp_preview"; nBtnId: ItemCommonDef.idBtnShowTempPreview; strText: qsTr("温度图像"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_batch_ana"; visible: id_bar.bBatchAna; nBtnId: ItemCommonDef.idBtnBatchAna; strText: qsTr("批量分析"); onSig_press_btn: id_bar.sig_press_btn(n_id, b_checked) }
    }
}
