import QtQuick 2.15
import "../common"

// The imaging menu: image enhancement on or off and the imaging algorithm
// mode (indoor, outdoor); a click chooses and closes, a click outside closes.
Item {
    id: id_menu
    objectName: "menu_imaging"
    visible: false
    z: 20

    property bool bBlur: false
    property int nMode: 0

    signal sig_set_blur(bool b_enable)
    signal sig_set_mode(int n_mode)

    function popup(px, py) { id_box.x = Math.max(0, Math.min(px, width - id_box.width)); id_box.y = py; visible = true }

    MouseArea { anchors.fill: parent; onClicked: id_menu.visible = false }
    Rectangle {
        id: id_box
        width: id_rows.width + 2
        height: id_rows.height + 2
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrBackground
        Column {
            id: id_rows
            x: 1; y: 1
            Repeater {
                // Enhancement, then the two algorithm modes.
                model: [{"name": "menu_imaging_blur", "text": qsTr("图像增强")},
                        {"name": "menu_imaging_indoor", "text": qsTr("室内模式")},
                        {"name": "menu_imaging_outdoor", "text": qsTr("室外模式")}]
                Rectangle {
                    objectName: modelData.name
                    width: Math.max(140, id_row_text.implicitWidth + 36); height: 26
                    color: id_row_mouse.containsMouse ? ItemCommonClr.clrHover : "transparent"
                    Text {
                        x: 8
                        anchors.verticalCenter: parent.verticalCenter
                        textFormat: Text.PlainText
                        color: ItemCommonClr.clrTextButton
                        font.pixelSize: 12
                        text: (index === 0 ? id_menu.bBlur : id_menu.nMode === index - 1) ? "✓" : ""
                    }
                    Text {
                        id: id_row_text
                        x: 26
                        anchors.verticalCenter: parent.verticalCenter
                        textFormat: Text.PlainText
                        color: ItemCommonClr.clrTextButton
                        font.pixelSize: 12
                        text: modelData.text
                    }
                    MouseArea {
                        id: id_row_mouse
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            id_menu.visible = false
                            if (index === 0) id_menu.sig_set_blur(!id_menu.bBlur)
                            else id_menu.sig_set_mode(index - 1)
                        }
                    }
                }
            }
        }
    }
}
