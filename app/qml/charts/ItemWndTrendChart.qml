import QtQuick 2.15
import QtQuick.Window 2.15
import VY.WndChartTrend 1.0
import VY.WndChartTrendPixel 1.0
import "../common"

// A free-floating trend window around one temperature or pixel-count trend
// chart, registered with the trend registry for exactly its lifetime.
Window {
    id: id_wnd
    objectName: "wnd_trend_chart"
    property bool bPixel: false
    property int mn_trend_index: 0
    property bool bPanel: true
    readonly property var chart: id_loader.item

    signal sig_close(int n_index)

    width: 800
    height: 260
    flags: Qt.Window | Qt.FramelessWindowHint
    color: ItemCommonClr.clrClientBackground

    function find_ir_id(h_ir) { return chart.find_ir_id(h_ir) }
    function add_ana(h_ir, h_ana, n_type) { return chart.add_ana(h_ana, h_ir, n_type) }
    function add_pixel_ana(h_ir, h_ana, f_max, f_min, f_ana_max, f_ana_min) {
        return chart.add_ana(h_ana, h_ir, f_max, f_min, f_ana_max, f_ana_min)
    }
    function remove_ana(h_ir, h_ana, kind) { return chart.remove_ana(h_ana, kind) }
    function remove_rows(n_ir, n_ana, kind) {
        id_list.remove_rows(n_ir, n_ana, kind)
        // The chart drops the conditions of an object or source it let go.
        if (kind === undefined) id_condition.remove_rows(n_ir, n_ana)
    }
    function clear_rows() { id_list.clear_rows(); id_condition.clear_rows() }
    function row_text(n_ana, kind) {
        return chart.get_ana_alias(n_ana) + (bPixel ? " " + kind : chart.get_ana_name_and_temp(n_ana, Number(kind)))
    }
    function add_row(n_ir, n_ana, kind, b_live) {
        id_condition.visible = b_live
        id_condition.set_rate(chart.get_record_rate())
        id_list.add_row(n_ir, chart.get_ir_name(n_ir), n_ana, kind, row_text(n_ana, kind),
                        chart.get_ana_clr_name(n_ana, kind))
    }
    // The objects of source h_ir were renamed.
    function update_setting_ana_name(h_ir) {
        id_list.refresh_texts(h_ir, row_text)
        id_condition.refresh_texts(h_ir)
    }

    Component.onCompleted: mn_trend_index = ManagerChartTrend.insert_wnd_chart(chart.get_chart())
    Component.onDestruction: ManagerChartTrend.remove_wnd_chart_at_index(mn_trend_index)

    Rectangle { anchors.fill: parent; color: "transparent"; border.width: 3; border.color: ItemCommonClr.clrTitleBackground; z: 10 }
    // Resizing by the right edge, the bottom edge and the corner.
    Repeater {
        model: [[1, 0, Qt.SizeHorCursor], [0, 1, Qt.SizeVerCursor], [1, 1, Qt.SizeFDiagCursor]]
        delegate: MouseArea {
            property point pt_press
            readonly property bool bRight: modelData[0] === 1
            readonly property bool bBottom: modelData[1] === 1
            z: 11
            x: bRight ? id_wnd.width - 13 : 3
            y: bBottom ? id_wnd.height - 13 : id_head.height
            width: bRight ? 10 : id_wnd.width - 16
            height: bBottom ? 10 : id_wnd.height - id_head.height - 16
            cursorShape: modelData[2]
            onPressed: pt_press = Qt.point(mouse.x, mouse.y)
            onPositionChanged: {
                if (bRight) id_wnd.width = Math.max(400, id_wnd.width + mouse.x - pt_press.x)
                if (bBottom) id_wnd.height = Math.max(200, id_wnd.height + mouse.y - pt_press.y)
            }
        }
    }
    ItemWndHead {
        id: id_head
        strTitle: (id_wnd.bPixel ? qsTr("像素数趋势分析 %1") : qsTr("温度趋势分析 %1")).arg(id_wnd.mn_trend_index)
        closeObjectName: "btn_close_trend"
        onSig_close: id_wnd.sig_close(id_wnd.mn_trend_index)
        MouseArea {
            property point pt_press
            anchors { fill: parent; leftMargin: 5; rightMargin: 40 }
            onPressed: pt_press = Qt.point(mouse.x, mouse.y)
            onPositionChanged: { id_wnd.x += mouse.x - pt_press.x; id_wnd.y += mouse.y - pt_press.y }
        }
    }
    Loader {
        id: id_loader
        anchors { left: parent.left; top: id_head.bottom; bottom: parent.bottom; right: id_panel.left; margins: 3 }
        sourceComponent: id_wnd.bPixel ? id_pixel_chart : id_temp_chart
    }
    Component { id: id_temp_chart; WndChartTrend { objectName: "chart_trend" } }
    Component { id: id_pixel_chart; WndChartTrendPixel { objectName: "chart_trend_pixel" } }
    Connections {
        target: id_wnd.chart
        ignoreUnknownSignals: true
        function onSig_update_temp_range() {
            if (chart.get_axis_y_auto_range()) id_range.show_range(true, chart.get_axis_y_min_str(), chart.get_axis_y_max_str())
        }
        function onSig_trend_add_ana(n_ir_id, n_ana_id, n_type, b_net_device) { id_wnd.add_row(n_ir_id, n_ana_id, n_type, b_net_device) }
        function onSig_pixel_trend_add_ana(n_ir_id, n_ana_id, str_temp, b_net_device) { id_wnd.add_row(n_ir_id, n_ana_id, str_temp, b_net_device) }
        function onSig_trend_del_ana(n_ir_id, n_ana_id) { id_wnd.remove_rows(n_ir_id, n_ana_id) }
        function onSig_pixel_trend_del_ana(n_ir_id, n_ana_id) { id_wnd.remove_rows(n_ir_id, n_ana_id) }
        function onSig_trend_del_ana_type(n_ir_id, n_ana_id, n_type) { id_wnd.remove_rows(n_ir_id, n_ana_id, n_type) }
        function onSig_pixel_trend_del_ana_type(n_ir_id, n_ana_id, str_temp) { id_wnd.remove_rows(n_ir_id, n_ana_id, str_temp) }
        function onSig_trend_del_ir(n_ir_id) { id_wnd.remove_rows(n_ir_id) }
        function onSig_pixel_trend_del_ir(n_ir_id) { id_wnd.remove_rows(n_ir_id) }
        function onSig_update_clear_ana() { id_wnd.clear_rows() }
        function onSig_show_tooltip(str_tooltip, n_pt_x, n_pt_y) {
            if (str_tooltip === "") id_tip.hide_tip()
            else id_tip.show_tip_plus(id_wnd.x + n_pt_x, id_wnd.y + n_pt_y, str_tooltip)
        }
    }
    ItemWndToolTip { id: id_tip; objectName: "tip_trend_chart" }
    ItemColorDialog { id: id_color; objectName: "dialog_trend_colour" }
    ItemWndTrendRecordSetting { id: id_record_setting; transientParent: id_wnd }
    Row {
        anchors { top: id_head.bottom; topMargin: 6; right: id_panel.left; rightMargin: 8 }
        spacing: 4
        z: 2
        ItemCustomBtnNormal { objectName: "btn_trend_all"; width: 25; height: 20; strText: "ALL"; onSig_btn_release: id_wnd.chart.show_all_chart() }
        ItemCustomBtnNormal {
            id: id_copy
            objectName: "btn_trend_copy"
            visible: !id_wnd.bPixel
            width: DataConfig.n_language_type === 3 ? 80 : 50
            height: 20
            strText: qsTr("复制")
            // The result shows as a tip under the button, so that it never
            // covers the chart's title beside the buttons.
            onSig_btn_release: id_tip.show_tip_ext(0, height, id_copy, id_wnd.chart.copy_chart_info() ? qsTr("成功") : qsTr("失败"))
        }
        ItemCustomBtnExpand { objectName: "btn_expand_trend"; bExpand: id_wnd.bPanel; onSig_check_expand: id_wnd.bPanel = expanded }
    }
    Flickable {
        id: id_panel
        anchors { top: id_head.bottom; bottom: parent.bottom; right: parent.right; margins: 3 }
        width: id_wnd.bPanel ? 220 : 0
        visible: id_wnd.bPanel
        clip: true
        contentHeight: id_column.height + 12
        Column {
            id: id_column
            x: 8
            y: 6
            width: id_panel.width - 16
            spacing: 10
            ItemChartTrendList {
                id: id_list
                objectName: "list_trend"
                width: parent.width
                colorDialog: id_color
                onSig_delete: id_wnd.chart.remove_ana(n_ana, id_wnd.bPixel ? kind : parseInt(kind))
                onSig_color: id_wnd.chart.set_ana_clr(n_ana, id_wnd.bPixel ? kind : parseInt(kind), str_clr)
            }
            ItemContentChartRecordCondition {
                id: id_condition
                objectName: "record_condition"
                width: parent.width
                visible: false
                chart: id_wnd.chart
                settingWnd: id_record_setting
                onSig_rate: if (id_wnd.chart) id_wnd.chart.set_record_rate(n_rate)
            }
            ItemChartTempSetting {
                id: id_range
                width: parent.width
                onSig_auto: { id_wnd.chart.set_axis_y_auto_range(b_auto); if (b_auto) id_wnd.chart.recalculation_axis() }
                onSig_min: { id_wnd.chart.set_axis_y_min(str_min); id_wnd.chart.update_axis_y() }
                onSig_max: { id_wnd.chart.set_axis_y_max(str_max); id_wnd.chart.update_axis_y() }
            }
        }
    }
}
