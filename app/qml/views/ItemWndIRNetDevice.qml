import QtQuick 2.15
import VY.WndIRReconnect 1.0
import "../common"
import "../alarms"

// The window of one live camera: its control bar, the live IR view with the
// analysis toolbar, the property column, and the panels for reconnection,
// detector cooling and the automatic measuring range.
FocusScope {
    id: id_wnd
    objectName: "wnd_ir_net_device"
    property int mn_wnd_type: ItemCommonDef.wndFunctionNetDevice
    property int mn_index: 0
    property int mn_index_type: 0
    property string ms_name: ""
    readonly property alias wndIRShow: id_area_ir.wndIRShow
    property bool bConnected: false
    property int nColdDots: 0

    function set_net_device(str_sn, str_ip, str_discover_mac, n_id_ir) {
        if (!wndIRShow.open_net_device(str_sn, str_ip, str_discover_mac, n_id_ir))
            return false
        bConnected = true
        id_area_ir.show_source()
        id_toolbar.strSn = wndIRShow.get_capture_sn()
        id_toolbar.set_adjust_method(wndIRShow.get_len_adjust_method())
        id_toolbar.bSupportLenPos = wndIRShow.get_ir_support_len_pos()
        id_toolbar.set_len_pos(wndIRShow.get_len_pos())
        id_property.update_ir_property()
        id_ptz.connect_ptz(str_ip)
        return true
    }

    Keys.onPressed: {
        if ((event.modifiers & Qt.ControlModifier) && event.key === Qt.Key_C) {
            wndIRShow.copy_image_to_clipboard()
            event.accepted = true
        }
    }

    ItemToolbarNetDevice {
        id: id_toolbar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 40
        wndIRShow: id_wnd.wndIRShow
        onSig_message: id_message.show_message_box(text)
    }

    ItemMessageBox { id: id_message; objectName: "message_box_net_device" }

    ItemAreaIRShow {
        id: id_area_ir
        nWndType: ItemCommonDef.wndFunctionNetDevice
        bFitSmall: true
        anchors { left: parent.left; right: id_property.left; top: id_toolbar.bottom; bottom: id_tools.top }
        onSig_update_cur_ana: id_property.nCurAna = n_cur_ana
    }

    ItemIRViewTools {
        id: id_tools
        anchors { left: parent.left; right: id_property.left; bottom: parent.bottom }
        areaIR: id_area_ir
        strName: id_wnd.ms_name
        bLive: true
        bCamera: true
    }

    ItemAreaPropertyIR {
        id: id_property
        anchors { right: parent.right; top: id_toolbar.bottom; bottom: parent.bottom }
        width: 260
        wndIRShow: id_wnd.wndIRShow
    }

    // The alarm panel takes the property column below its fields.
    ItemAreaWarning {
        anchors { left: id_property.left; right: id_property.right; bottom: id_property.bottom
                  top: id_property.top; topMargin: id_property.childrenRect.height + 10 }
        wndIRShow: id_wnd.wndIRShow
    }

    // The head under the camera, over the foot of the property column.
    ItemContentPtzCtrl {
        id: id_ptz
        anchors { right: parent.right; bottom: parent.bottom }
    }

    Connections {
        target: id_wnd.wndIRShow
        function onSig_update_len_pos(n_pos) { id_toolbar.set_len_pos(n_pos) }
        function onSig_show_wait_cold_wnd() { id_cold.visible = true }
        function onSig_start_check_temp_range(n_temp_range) { id_range.visible = true }
        function onSig_end_check_temp_range() { id_range.visible = false }
        function onSig_capture_status(str_text, n_status) { id_toolbar.take_capture_status(str_text, n_status) }
        function onSig_stop_capture() { id_toolbar.end_record() }
    }

    // Temperatures and the clock once a second.
    Timer {
        interval: 1000
        repeat: true
        running: id_wnd.visible && id_wnd.bConnected
        onTriggered: {
            id_property.update_ir_temp_info()
            id_property.update_ana_temp_info()
            id_toolbar.strTime = Qt.formatDateTime(new Date(), "yyyy-MM-dd hh:mm:ss")
            if (id_cold.visible) {
                if (id_wnd.wndIRShow.is_wait_cold())
                    id_wnd.nColdDots = id_wnd.nColdDots % 3 + 1
                else
                    id_cold.visible = false
            }
        }
    }

    // While a panel below shows, the view takes no mouse.
    Rectangle {
        anchors.fill: id_area_ir
        visible: id_reconnect.visible || id_cold.visible || id_range.visible || id_toolbar.bRecordSetting
        color: "#80000000"
        MouseArea { anchors.fill: parent; hoverEnabled: true; acceptedButtons: Qt.AllButtons }
    }

    ItemContentIRRecordingSetting {
        objectName: "panel_record_setting"
        anchors.centerIn: id_area_ir
        visible: id_toolbar.bRecordSetting
        ms_name: id_toolbar.strSn
        onSig_close: id_toolbar.bRecordSetting = false
    }

    WndIRReconnect {
        id: id_reconnect
        objectName: "wnd_ir_reconnect"
        width: 300
        height: 40
        anchors.centerIn: id_area_ir
        visible: false
        Component.onCompleted: set_ir_show(id_wnd.wndIRShow)
        onSig_wnd_show: visible = b_show
    }

    Text {
        id: id_cold
        objectName: "text_wait_cold"
        anchors.centerIn: id_area_ir
        visible: false
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: 16
        text: qsTr("正在等待制冷中") + ".".repeat(id_wnd.nColdDots)
    }

    Text {
        id: id_range
        objectName: "text_auto_range"
        anchors.centerIn: id_area_ir
        visible: false
        textFormat: Text.PlainText
        color: "white"
        font.pixelSize: 16
        text: qsTr("自动切换测温挡中...")
    }
}
