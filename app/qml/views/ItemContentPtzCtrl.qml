import QtQuick 2.15
import VY.PtzControl 1.0
import "../common"

// The pan-tilt head of a camera: direction pad (moves while held), presets,
// speeds and wiper. Shown only once the head answered.
Rectangle {
    id: id_panel
    objectName: "ptz_ctrl"
    color: ItemCommonClr.clrTitleBackground
    visible: false
    width: 260
    height: id_column.implicitHeight + 12

    function connect_ptz(s_ip) {
        visible = id_ptz.connect_ptz(s_ip)
        return visible
    }

    PtzControl { id: id_ptz; objectName: "ptz_control" }

    Column {
        id: id_column
        x: 6
        y: 6
        spacing: 4
        Grid {
            columns: 3
            spacing: 2
            // Direction codes of the head in pad order; 8 (stop) sits in the middle.
            Repeater {
                model: [[4, "↖"], [1, "↑"], [6, "↗"], [0, "←"], [8, "■"], [2, "→"], [5, "↙"], [3, "↓"], [7, "↘"]]
                ItemBtnHold {
                    width: 34
                    strText: modelData[1]
                    onSig_pressed: id_ptz.ptz_direction(modelData[0])
                    onSig_released: id_ptz.ptz_direction(8)
                }
            }
        }
        // The buttons wrap below the field when their texts are long.
        Flow {
            width: id_panel.width - 12
            spacing: 2
            Item {
                width: 50; height: 30
                Rectangle {
                    width: 50; height: 24; anchors.verticalCenter: parent.verticalCenter
                    color: ItemCommonClr.clrClientBackground
                    TextInput {
                        id: id_preset
                        objectName: "input_ptz_preset"
                        anchors { fill: parent; margins: 4 }
                        color: ItemCommonClr.clrTextLabel
                        text: "1"
                        validator: IntValidator { bottom: 1; top: 255 }
                        selectByMouse: true
                    }
                }
            }
            ItemIRToolButton {
                strText: qsTr("设置预置点")
                onSig_press_btn: if (id_preset.acceptableInput) id_ptz.ptz_set_preset(parseInt(id_preset.text, 10))
            }
            ItemIRToolButton {
                strText: qsTr("切换预置点")
                onSig_press_btn: if (id_preset.acceptableInput) id_ptz.ptz_goto_preset(parseInt(id_preset.text, 10))
            }
        }
        Text {
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            text: qsTr("云台速度") + "(1-64)"
        }
        Flow {
            width: id_panel.width - 12
            spacing: 2
            Item {
                width: 50; height: 30
                Rectangle {
                    width: 50; height: 24; anchors.verticalCenter: parent.verticalCenter
                    color: ItemCommonClr.clrClientBackground
                    TextInput {
                        id: id_speed
                        objectName: "input_ptz_speed"
                        anchors { fill: parent; margins: 4 }
                        color: ItemCommonClr.clrTextLabel
                        text: "48"
                        validator: IntValidator { bottom: 1; top: 64 }
                        selectByMouse: true
                    }
                }
            }
            ItemIRToolButton {
                strText: qsTr("设置水平速度")
                onSig_press_btn: if (id_speed.acceptableInput) id_ptz.ptz_set_horizontal_speed(parseInt(id_speed.text, 10))
            }
            ItemIRToolButton {
                strText: qsTr("设置垂直速度")
                onSig_press_btn: if (id_speed.acceptableInput) id_ptz.ptz_set_vertical_speed(parseInt(id_speed.text, 10))
            }
        }
        Flow {
            width: id_panel.width - 12
            spacing: 2
            ItemIRToolButton { strText: qsTr("雨刷开"); onSig_press_btn: id_ptz.ptz_wiper_on() }
            ItemIRToolButton { strText: qsTr("雨刷关"); onSig_press_btn: id_ptz.ptz_wiper_off() }
        }
    }
}
