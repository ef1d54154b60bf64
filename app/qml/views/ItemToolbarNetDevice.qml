import QtQuick 2.15
import "../common"

// Control bar of a camera window: focus and zoom motors (held), temperature
// correction, recording, rotation of the picture (refused while recording:
// a recording keeps the picture's size), the lens position with its "set"
// button, and the time.
Rectangle {
    id: id_bar
    objectName: "toolbar_net_device"
    color: ItemCommonClr.clrTitleBackground

    property var wndIRShow: null
    property bool bFocusEnabled: false
    property bool bZoomEnabled: false
    property bool bSupportLenPos: false
    property string strTime: ""
    property bool bRecording: false
    property string strRecordTime: "00:00:00"
    // The camera's serial number: the key of its recording settings.
    property string strSn: ""
    property bool bRecordSetting: false

    signal sig_message(string text)

    // The record button: starts a run or stops the running one.
    function toggle_record() {
        if (bRecording) {
            wndIRShow.stop_capture()
            end_record()
        } else if (DataConfig.get_record_path(strSn) === "") {
            sig_message(qsTr("录像保存路径不能为空"))
        } else if (!DataConfig.get_record_unlimit(strSn) && DataConfig.get_record_duration(strSn) <= 0) {
            sig_message(qsTr("请设置正确总录像时长"))
        } else if (wndIRShow.start_capture()) {
            bRecording = true
            bRecordSetting = false
        }
    }
    function end_record() {
        bRecording = false
        strRecordTime = "00:00:00"
    }
    // 0: the elapsed time; -1: a message; 1 to 3: the file could not be
    // made, the run could not start or the file could not be switched.
    function take_capture_status(str_text, n_status) {
        if (n_status === 0) {
            strRecordTime = str_text
        } else if (n_status === -1) {
            sig_message(str_text)
        } else {
            if (n_status === 2)
                sig_message(qsTr("开始录像失败"))
            else
                sig_message(qsTr("录像文件创建失败"))
            wndIRShow.stop_capture()
            end_record()
        }
    }

    // 1: electric focus; 2: continuous magnification (nothing changes);
    // anything else: neither focus nor zoom.
    function set_adjust_method(n) {
        if (n === 1) {
            bFocusEnabled = true
            bZoomEnabled = false
        } else if (n !== 2) {
            bFocusEnabled = false
            bZoomEnabled = false
        }
    }
    function set_len_pos(n) { id_len_pos.text = String(n) }
    function rotate(b_clockwise) {
        if (bRecording)
            sig_message(qsTr("录像中，无法翻转图像！"))
        else
            wndIRShow.rorate_90_degrees(b_clockwise)
    }

    Row {
        anchors.verticalCenter: parent.verticalCenter
        x: 6
        spacing: 2
        ItemBtnHold {
            objectName: "btn_focus_in"; strText: qsTr("近焦"); enabled: id_bar.bFocusEnabled
            onSig_pressed: id_bar.wndIRShow.motor_reverse()
            onSig_released: { id_bar.wndIRShow.motor_stop(); id_bar.set_len_pos(id_bar.wndIRShow.get_len_pos()) }
        }
        ItemBtnHold {
            objectName: "btn_focus_out"; strText: qsTr("远焦"); enabled: id_bar.bFocusEnabled
            onSig_pressed: id_bar.wndIRShow.motor_forward()
            onSig_released: { id_bar.wndIRShow.motor_stop(); id_bar.set_len_pos(id_bar.wndIRShow.get_len_pos()) }
        }
        ItemBtnHold {
            objectName: "btn_zoom_lens_in"; strText: qsTr("变倍放大"); enabled: id_bar.bZoomEnabled
            onSig_pressed: id_bar.wndIRShow.zoom_motor_reverse()
            onSig_released: id_bar.wndIRShow.zoom_motor_stop()
        }
        ItemBtnHold {
            objectName: "btn_zoom_lens_out"; strText: qsTr("变倍缩小"); enabled: id_bar.bZoomEnabled
            onSig_pressed: id_bar.wndIRShow.zoom_motor_forward()
            onSig_released: id_bar.wndIRShow.zoom_motor_stop()
        }
        ItemIRToolButton {
            objectName: "btn_correct"; strText: qsTr("校正")
            onSig_press_btn: id_bar.wndIRShow.temperature_correct()
        }
        ItemIRToolButton {
            objectName: "btn_record"; strText: id_bar.bRecording ? qsTr("停止录像") : qsTr("录像")
            bChecked: id_bar.bRecording
            onSig_press_btn: id_bar.toggle_record()
        }
        ItemIRToolButton {
            objectName: "btn_record_setting"; strText: qsTr("录像设置")
            bChecked: id_bar.bRecordSetting
            enabled: !id_bar.bRecording
            onSig_press_btn: id_bar.bRecordSetting = !id_bar.bRecordSetting
        }
        ItemIRToolButton {
            objectName: "btn_rotate_left"; strText: qsTr("左转90°")
            onSig_press_btn: id_bar.rotate(false)
        }
        ItemIRToolButton {
            objectName: "btn_rotate_right"; strText: qsTr("右转90°")
            onSig_press_btn: id_bar.rotate(true)
        }
        Text {
            objectName: "text_record_time"
            visible: id_bar.bRecording
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: "#ff5050"
            text: id_bar.strRecordTime
        }
        Item { width: 12; height: 1 }
        Rectangle {
            visible: id_bar.bSupportLenPos
            width: 60
            height: 24
            anchors.verticalCenter: parent.verticalCenter
            color: ItemCommonClr.clrClientBackground
            TextInput {
                id: id_len_pos
                objectName: "input_len_pos"
                anchors { fill: parent; margins: 4 }
                color: ItemCommonClr.clrTextLabel
                validator: IntValidator { bottom: 0; top: 65535 }
                selectByMouse: true
            }
        }
        ItemIRToolButton {
            objectName: "btn_set_len_pos"; visible: id_bar.bSupportLenPos; strText: qsTr("设置")
            onSig_press_btn: {
                var n = parseInt(id_len_pos.text, 10)
                if (!isNaN(n))
                    id_bar.wndIRShow.set_len_pos(n)
            }
        }
    }
    Text {
        objectName: "text_time"
        anchors { right: parent.right; rightMargin: 10; verticalCenter: parent.verticalCenter }
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        text: id_bar.strTime
    }
}
