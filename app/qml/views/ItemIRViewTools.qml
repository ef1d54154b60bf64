import QtQuick 2.15
import "../common"
import "../charts"

// The tools that the analysis toolbar of an IR view opens, the same in every
// document window: the isotherm strip and the chart row under the view, the
// dialog that copies temperatures and the two temperature table windows.
// The window places this column under its view area and hands it the area.
Item {
    id: id_tools
    objectName: "ir_view_tools"
    // The ItemAreaIRShow whose toolbar and view these tools serve.
    property var areaIR: null
    // Title of the table windows before their own text.
    property string strName: ""
    // Recordings and cameras refresh their preview twice a second.
    property bool bLive: false
    // A camera's isotherm axis takes the picture's range when the strip
    // first shows.
    property bool bCamera: false
    property bool bIsothermShown: false
    readonly property var wndIRShow: areaIR ? areaIR.wndIRShow : null
    readonly property alias chartRow: id_chart_row
    readonly property alias isotherm: id_isotherm

    height: (id_isotherm.visible ? id_isotherm.height : 0) + (id_chart_row.visible ? id_chart_row.height : 0)

    function show_chart(n_id, b_checked) { id_chart_row.show_chart(n_id === ItemCommonDef.idBtnChartLine, b_checked) }
    function press_tool(n_id, b_checked) {
        switch (n_id) {
        case ItemCommonDef.idBtnIsotherm: show_isotherm(b_checked); break
        case ItemCommonDef.idBtnCopyTemp: id_copy_temp.show_choices(); break
        case ItemCommonDef.idBtnShowTempTable: show_temp_window(id_temp_full); break
        case ItemCommonDef.idBtnShowTempPreview: show_temp_window(id_temp_simplified); break
        }
    }
    function show_isotherm(b_show) {
        id_isotherm.visible = b_show
        if (b_show && bCamera && !bIsothermShown) id_isotherm.wndIsotherm.update_axis_range(true)
        if (b_show) bIsothermShown = true
    }
    function show_temp_window(loader) {
        loader.active = true
        loader.item.show()
    }
    // A picture without temperatures: every tool closes and its button
    // goes off.
    function close_all() {
        id_chart_row.bLine = false
        id_chart_row.bArea = false
        areaIR.set_chart_checked(ItemCommonDef.idBtnChartLine, false)
        areaIR.set_chart_checked(ItemCommonDef.idBtnChartArea, false)
        id_isotherm.visible = false
        areaIR.toolbar.set_isotherm_checked(false)
        id_copy_temp.visible = false
        if (id_temp_full.item) id_temp_full.item.close()
        if (id_temp_simplified.item) id_temp_simplified.item.close()
    }

    Connections {
        target: id_tools.areaIR
        function onSig_chart_btn(n_id, b_checked) { id_tools.show_chart(n_id, b_checked) }
        function onSig_tool_btn(n_id, b_checked) { id_tools.press_tool(n_id, b_checked) }
    }

    ItemAreaIRIsotherm {
        id: id_isotherm
        anchors { left: parent.left; right: parent.right; top: parent.top }
        visible: false
    }
    ItemChartRow {
        id: id_chart_row
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: visible ? 250 : 0
        wndIRShow: id_tools.wndIRShow
        onSig_hidden: id_tools.areaIR.set_chart_checked(b_line ? ItemCommonDef.idBtnChartLine : ItemCommonDef.idBtnChartArea, false)
        // The charts give the pointer's scene position; an empty text hides the tip.
        onSig_show_tooltip: {
            if (str_tooltip === "") {
                id_chart_tip.hide_tip()
                return
            }
            var pos = id_chart_row.mapFromItem(null, n_x, n_y)
            id_chart_tip.show_tip_ext(pos.x, pos.y, id_chart_row, str_tooltip)
        }
    }
    ItemWndToolTip { id: id_chart_tip; objectName: "tip_chart" }

    // The dialog and its answer lie over the view.
    ItemWndCopyTemp {
        id: id_copy_temp
        parent: id_tools.areaIR
        anchors.centerIn: parent
        wndIRShow: id_tools.wndIRShow
    }
    Text {
        objectName: "text_copy_result"
        parent: id_tools.areaIR
        z: 10
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: 12 }
        visible: id_copy_temp.strResult !== "" && id_result_timer.running
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextNormal
        font.pixelSize: 14
        text: id_copy_temp.strResult
        onTextChanged: if (text !== "") id_result_timer.restart()
        Timer { id: id_result_timer; interval: 3000 }
    }

    Loader {
        id: id_temp_full
        objectName: "loader_temp_full"
        active: false
        sourceComponent: ItemWndIRTempFull { wndIRShow: id_tools.wndIRShow; strName: id_tools.strName }
    }
    Loader {
        id: id_temp_simplified
        objectName: "loader_temp_simplified"
        active: false
        sourceComponent: ItemWndIRTempSimplified {
            wndIRShow: id_tools.wndIRShow
            strName: id_tools.strName
            bLive: id_tools.bLive
        }
    }

    Component.onCompleted: {
        id_chart_row.bind_view()
        if (wndIRShow !== null) wndIRShow.set_wnd_isotherm(id_isotherm.wndIsotherm)
    }
}
