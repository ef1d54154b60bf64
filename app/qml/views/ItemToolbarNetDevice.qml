import QtQuick 2.15
import "../common"

// Control bar of a camera window: focus and zoom motors (held), temperature
// correction, the lens position with its "set" button, and the time.
Rectangle {
    id: id_bar
    objectName: "toolbar_net_device"
    color: ItemCommonClr.clrTitleBackground

    property var wndIRShow: null
    property bool bFocusEnabled: false
    property bool bZoomEnabled: false
    property bool bSupportLenPos: false
    property string strTime: ""

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
