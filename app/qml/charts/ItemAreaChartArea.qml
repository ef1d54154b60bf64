import QtQuick 2.15
import VY.WndChartArea 1.0
import "../common"

// The histogram with its settings panel: range box, bin count and the list
// of objects (one shown at a time).
Rectangle {
    id: id_area
    objectName: "area_chart_area"
    property var wndIRShow: null
    property bool bPanel: false
    readonly property alias chart: id_chart

    signal sig_show_tooltip(string str_tooltip, int n_x, int n_y)

    color: ItemCommonClr.clrClientBackground
    border.color: ItemCommonClr.clrBroder

    function bind_view() { if (wndIRShow !== null) id_chart.set_ir_wnd(wndIRShow) }
    function update_row(n_id) { id_list.update_row(n_id, id_chart.get_ana_name_and_temp(n_id), id_chart.is_enable_ana(n_id)) }

    WndChartArea {
        id: id_chart
        objectName: "chart_area"
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom; right: id_panel.left; margins: 1 }
        onSig_update_temp_range: id_range.show_range(get_auto_range(), get_axis_x_min_str(), get_axis_x_max_str())
        onSig_update_add_ana: id_area.update_row(n_ana_id)
        onSig_update_ana_temp: id_area.update_row(n_ana_id)
        onSig_update_del_ana: id_list.remove_row(n_ana_id)
        onSig_update_clear_ana: id_list.clear_rows()
        onSig_update_area_count: id_count.text = "" + n_count
        onSig_show_tooltip: id_area.sig_show_tooltip(str_tooltip, n_pt_x, n_pt_y)
    }
    ItemCustomBtnExpand {
        objectName: "btn_expand_area"
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
                onSig_auto: { id_chart.set_auto_range(b_auto); if (b_auto) id_chart.update_select_ana(true) }
                onSig_min: { id_chart.set_axis_x_min(str_min); id_chart.update_select_ana(true) }
                onSig_max: { id_chart.set_axis_x_max(str_max); id_chart.update_select_ana(true) }
            }
            Row {
                spacing: 6
                Text { text: qsTr("区域个数"); color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; anchors.verticalCenter: parent.verticalCenter }
                ItemCustomTextField {
                    id: id_count
                    objectName: "field_area_count"
                    width: 40
                    text: "10"
                    validator: IntValidator { bottom: 1; top: 30 }
                    onTextChanged: {
                        var n = parseInt(text)
                        if (n >= 1) { id_chart.set_use_area_count(n); id_chart.update_select_ana(true) }
                    }
                }
                Text { text: "( 1-30 )"; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; anchors.verticalCenter: parent.verticalCenter }
            }
            ItemChartAnaList {
                id: id_list
                objectName: "list_chart_area"
                width: parent.width
                strTitle: qsTr("分析列表（只能单选）")
                bSingle: true
                // The chart selects silently: the radio marks follow here.
                onSig_toggle: { id_chart.enable_ana(n_id, true); id_area.update_row(n_id) }
            }
        }
    }
}
