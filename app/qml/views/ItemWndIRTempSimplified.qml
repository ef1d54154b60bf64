import QtQuick 2.15
import QtQuick.Window 2.15
import VY.WndTableIRTempSimplified 1.0
import "../common"

// The window of the simplified temperature table (whole degrees, as many as
// fit readably, at most 120 x 90) of one view; the title tells the grid shown.
Window {
    id: id_wnd
    objectName: "wnd_ir_temp_simplified"
    width: 1200
    height: 938
    color: ItemCommonClr.clrClientBackground
    property var wndIRShow: null
    property string strName: ""
    // Recordings and cameras: the preview follows the frames twice a second.
    property bool bLive: false
    readonly property alias table: id_table
    title: strName + (id_table.n_grid_columns <= 0 ? qsTr(" - 温度图像")
                      : (bLive ? qsTr(" - 温度图像（更新频率：2Hz，预览分辨率：%1 x %2）")
                               : qsTr(" - 温度图像（预览分辨率：%1 x %2）")).arg(id_table.n_grid_columns).arg(id_table.n_grid_rows))

    function start(n_seconds) { id_table.start_temp_info(Math.max(1, n_seconds)) }

    onVisibleChanged: if (!visible) id_table.stop_temp_info()

    ItemTempRefreshChoice {
        id: id_choice
        x: 8; y: 6
        height: 26
        onSig_choose: id_wnd.start(n_seconds)
    }
    WndTableIRTempSimplified {
        id: id_table
        objectName: "wnd_table_ir_temp_simplified"
        anchors { left: parent.left; right: parent.right; top: id_choice.bottom; bottom: parent.bottom; topMargin: 6 }
    }
    Component.onCompleted: {
        if (wndIRShow !== null) wndIRShow.set_simple_table_ir_temp(id_table)
        start(id_choice.nSeconds)
    }
}
