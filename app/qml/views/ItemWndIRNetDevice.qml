import QtQuick 2.15
import VY.WndIRReconnect 1.0
import "../common"
import "../alarms"

// The window of one live camera: its control bar, the live IR view with the
// analysis toolbar, the property column, and the panels for reconnection,
// detector cooling and the automatic measuring range. The function keys of
// the whole program reach the camera while this window shows: F3 corrects,
// F5 and F6 turn the focus motor while held; Ctrl+T shows the sensor
// temperatures.
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
    property bool bSensorTemp: false
    // The main window's status bar, handed over by the client area.
    property var m_status_bar: null

    // The camera's identity and times to the status bar.
    function report_status() {
        if (m_status_bar === null || !bConnected)
            return
        var json = wndIRShow.get_ir_property()
        var record = {"nFileType": 1}
        var keys = ["strSettingResolution", "strSettingMac", "strSettingStartTime", "strSettingEndTime"]
        for (var i = 0; i < keys.length; ++i)
            if (json[keys[i]] !== undefined)
                record[keys[i]] = json[keys[i]]
        m_status_bar.update_ir_wnd_device_info(record)
    }
    function update_sensor_temp() {
        var json = wndIRShow.get_sensor_temp()
        id_sensor.text = qsTr("机芯温度") + ItemCommonText.strColon + (json["strSettingMovement"] || ItemCommonText.strTextUnknown)
                + "  " + qsTr("主板温度") + ItemCommonText.strColon + (json["strSettingMotherboard"] || ItemCommonText.strTextUnknown)
    }

    Component.onCompleted: {
        wndIRShow.set_wnd_index(mn_index)
        wndIRShow.set_wnd_type_index(mn_index_type)
    }

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
        report_status()
        id_wnd.forceActiveFocus()
        return true
    }

    onVisibleChanged: {
        if (visible) {
            report_status()
            forceActiveFocus()
        }
    }

    Keys.onPressed: {
        if ((event.modifiers & Qt.ControlModifier) && event.key === Qt.Key_C) {
            wndIRShow.copy_image_to_clipboard()
            event.accepted = true
        } else if ((event.modifiers & Qt.ControlModifier) && event.key === Qt.Key_T && !event.isAutoRepeat) {
            bSensorTemp = !bSensorTemp
            if (bSensorTemp)
                update_sensor_temp()
            event.accepted = true
        }
    }

    // Correction and focus motor from the program's function keys.
    Connections {
        target: GlobalFunction
        enabled: id_wnd.visible && id_wnd.bConnected
        function onSig_correct() { id_wnd.wndIRShow.temperature_correct() }
        function onSig_motor_forward() { id_wnd.wndIRShow.motor_forward() }
        function onSig_motor_reverse() { id_wnd.wndIRShow.motor_reverse() }
        function onSig_motor_stop() {
            id_wnd.wndIRShow.motor_stop()
            id_toolbar.set_len_pos(id_wnd.wndIRShow.get_len_pos())
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
        anchors { right: parent.right; top: id_toolbar.bottom }
        width: 260
        // The fields scroll when the alarm panel would have less than 200
        // above the pan-tilt panel.
        height: Math.min(nContentHeight, id_wnd.height - y - 200 - (id_ptz.visible ? id_ptz.height : 0))
        wndIRShow: id_wnd.wndIRShow
        nWndType: id_wnd.mn_wnd_type
        onSig_lens_refused: id_message.show_message_box(qsTr("相机拒绝了该镜头或测温挡"))
    }

    // The alarm panel takes the property column below its fields, down to
    // the pan-tilt panel when a head answered.
    ItemAreaWarning {
        anchors { left: id_property.left; right: id_property.right; top: id_property.bottom; topMargin: 10
                  bottom: id_ptz.visible ? id_ptz.top : id_wnd.bottom }
        wndIRShow: id_wnd.wndIRShow
    }

    // The head under the camera, at the foot of the property column.
    ItemContentPtzCtrl {
        id: id_ptz
        anchors { right: parent.right; bottom: parent.bottom }
    }

    Connections {
        target: id_wnd.wndIRShow
        function onSig_update_len_pos(n_pos) { id_toolbar.set_len_pos(n_pos) }
        function onSig_show_wait_cold_wnd() { id_cold.visible = true }
        function onSig_start_check_temp_range(n_temp_range) {
            id_range.visible = true
            id_property.set_cur_range(n_temp_range)
        }
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
            if (id_wnd.bSensorTemp)
                id_wnd.update_sensor_temp()
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
        id: id_sensor
        objectName: "text_sensor_temp"
        anchors { right: id_area_ir.right; bottom: id_area_ir.bottom; margins: 10 }
        visible: id_wnd.bSensorTemp
        textFormat: Text.PlainText
        color: "white"
        style: Text.Outline
        styleColor: "black"
        font.pixelSize: 13
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
