import QtQuick 2.15
import VY.WndChartLine 1.0
import "../common"

// The line-profile chart with its settings panel: range box and the list of
// lines and polylines (several at once, each with its colour).
Rectangle {
    id: id_area
    objectName: "area_chart_line"
    property var wndIRShow: null
    property var colorDialog: null
    property bool bPanel: false
    readonly property alias chart: id_chart

    signal sig_show_tooltip(string str_tooltip, int n_x, int n_y)

    color: ItemCommonClr.clrClientBackground
    border.color: ItemCommonClr.clrBroder

    function bind_view() { if (wndIRShow !== null) id_chart.set_ir_wnd(wndIRShow) }
    function update_row(n_id) {
        id_list.update_row(n_id, id_chart.get_ana_alias(n_id) + id_chart.get_ana_name_and_temp(n_id), id_chart.is_enable_ana(n_id),
                           id_chart.get_ana_clr_name(n_id))
    }

    WndChartLine {
        id: id_chart
        objectName: "chart_line"
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom; right: id_panel.left; margins: 1 }
        onSig_update_temp_range: id_range.show_range(get_axis_y_auto_range(), get_axis_y_min_str(), get_axis_y_max_str())
        onSig_update_add_ana: id_area.update_row(n_ana_id)
        onSig_update_ana_temp: id_area.update_row(n_ana_id)
        onSig_update_del_ana: id_list.remove_row(n_ana_id)
        onSig_update_clear_ana: id_list.clear_rows()
        onSig_show_tooltip: id_area.sig_show_tooltip(str_tooltip, n_pt_x, n_pt_y)
    }
    ItemCustomBtnExpand {
        objectName: "btn_expand_line"
        anchors { top: parent.top; topMargin: 5; right: id_panel.left; rightMargin: 8 }
        bExpand: id_area.bPanel
        onSig_check_expand: id_area.bPanel = expanded
    }
    Flickable {
        id: id_panel
        anchors { top: parent.top; bottom: parent.bottom; right: parent.right; margins: 1 }
        width: id_area.bPanel ? 220 : 0
        visible: id_area.bPanel
        clip: true
        contentHeight: id_column.height + 12
        Column {
            id: id_column
            x: 8
            y: 6
            width: id_panel.width - 16
            spacing: 10
            ItemChartTempSetting {
                id: id_range
                width: parent.width
                onSig_auto: { id_chart.set_axis_y_auto_range(b_auto); if (b_auto) id_chart.recalculation_axis() }
                onSig_min: { id_chart.set_axis_y_min(str_min); id_chart.update_axis_y() }
                onSig_max: { id_chart.set_axis_y_max(str_max); id_chart.update_axis_y() }
            }
            ItemChartAnaList {
                id: id_list
                objectName: "list_chart_line"
                width: parent.width
                strTitle: qsTr("分析列表（可以多选）")
                bShowColor: true
                colorDialog: id_area.colorDialog
                // The row shows the state the chart took.
                onSig_toggle: if (id_chart.enable_ana(n_id, b_enable)) id_area.update_row(n_id)
                onSig_color: id_chart.set_ana_clr(n_id, clr.toString())
            }
        }
    }
}
