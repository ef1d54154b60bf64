import QtQuick 2.15
import QtQuick.Window 2.15
import "../common"

// The trend menu of an analysis object: for each kind (maximum, minimum,
// average) the open temperature trend windows, ticked when they hold that
// kind of the object, and a new window; then the pixel-count trends. A
// point object offers only its maximum.
Window {
    id: id_menu
    objectName: "menu_trend_chart"
    property int nIr: 0
    property int nAna: 0
    property bool bPoint: false
    property bool bRebuilding: false

    signal sig_insert(int n_index, int h_ir, int h_ana, int n_type)
    signal sig_remove(int n_index, int h_ir, int h_ana, int n_type)
    signal sig_create(int h_ir, int h_ana, int n_type)
    signal sig_pixel(int n_index, int h_ir, int h_ana)

    flags: Qt.Tool | Qt.FramelessWindowHint
    width: 220
    height: id_column.height + 8
    color: ItemCommonClr.clrTitleBackground

    function popup(n_id_ir, n_id_ana, b_pt_ana) {
        bRebuilding = true
        nIr = n_id_ir
        nAna = n_id_ana
        bPoint = b_pt_ana
        id_model.clear()
        var kinds = [[1, qsTr("最高温度"), "b_max_temp"], [2, qsTr("最低温度"), "b_min_temp"], [3, qsTr("平均温度"), "b_avg_temp"]]
        var charts = ManagerChartTrend.get_list_chart(n_id_ir, n_id_ana)
        for (var k = 0; k < (b_pt_ana ? 1 : 3); ++k) {
            id_model.append({ "bHead": true, "strText": qsTr("温度趋势分析") + " - " + kinds[k][1], "nType": kinds[k][0], "nIndex": 0, "bChecked": false, "bPixel": false })
            for (var i = 0; i < charts.length; ++i) {
                if (charts[i].b_trend_pixel) continue
                id_model.append({ "bHead": false, "strText": qsTr("温度趋势分析") + " " + charts[i].n_chart_index, "nType": kinds[k][0],
                                  "nIndex": charts[i].n_chart_index, "bChecked": charts[i][kinds[k][2]], "bPixel": false })
            }
            id_model.append({ "bHead": false, "strText": qsTr("新建温度趋势分析"), "nType": kinds[k][0], "nIndex": -1, "bChecked": false, "bPixel": false })
        }
        if (!b_pt_ana) {
            id_model.append({ "bHead": true, "strText": qsTr("像素数趋势分析"), "nType": 0, "nIndex": 0, "bChecked": false, "bPixel": true })
            for (var j = 0; j < charts.length; ++j)
                if (charts[j].b_trend_pixel)
                    id_model.append({ "bHead": false, "strText": qsTr("像素数趋势分析") + " " + charts[j].n_chart_index, "nType": 0,
                                      "nIndex": charts[j].n_chart_index, "bChecked": false, "bPixel": true })
            id_model.append({ "bHead": false, "strText": qsTr("新建像素数趋势分析"), "nType": 0, "nIndex": -1, "bChecked": false, "bPixel": true })
        }
        bRebuilding = false
        var pos = GlobalFunction.get_mouse_pos()
        x = pos.x
        y = pos.y
        visible = true
    }
    function choose(i) {
        if (bRebuilding) return
        var e = id_model.get(i)
        visible = false
        if (e.bPixel) sig_pixel(e.nIndex, nIr, nAna)
        else if (e.nIndex < 0) sig_create(nIr, nAna, e.nType)
        else if (e.bChecked) sig_remove(e.nIndex, nIr, nAna, e.nType)
        else sig_insert(e.nIndex, nIr, nAna, e.nType)
    }

    Column {
        id: id_column
        x: 4
        y: 4
        width: id_menu.width - 8
        Repeater {
            model: ListModel { id: id_model }
            delegate: Rectangle {
                objectName: "menu_entry_" + index
                width: id_column.width
                height: 24
                color: id_mouse.containsMouse && !model.bHead ? ItemCommonClr.clrHover : "transparent"
                Text {
                    anchors { left: parent.left; leftMargin: model.bHead ? 4 : 18; verticalCenter: parent.verticalCenter }
                    textFormat: Text.PlainText
                    font.pixelSize: 12
                    color: model.bHead ? ItemCommonClr.clrTextLabel : ItemCommonClr.clrTextSecLv
                    text: (model.bChecked ? "✓ " : "") + model.strText
                }
                MouseArea { id: id_mouse; anchors.fill: parent; hoverEnabled: true; enabled: !model.bHead; onClicked: id_menu.choose(index) }
            }
        }
    }
}
