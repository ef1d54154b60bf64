import QtQuick 2.15
import "../common"
import "."

// A text button of the rule views; checkable buttons show their state.
Rectangle {
    id: id_btn
    property alias text: id_text.text
    property bool checkable: false
    property bool checked: false
    signal clicked()

    width: 80
    height: 30
    radius: 2
    opacity: enabled ? 1.0 : 0.45
    color: checked ? ItemCommonClr.clrPress
                   : id_mouse.containsMouse && enabled ? ItemCommonClr.clrHover : ItemCommonClr.clrTitleBackground
    border.width: 1
    border.color: ItemCommonClr.clrTextBroder

    Text {
        id: id_text
        anchors.centerIn: parent
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        textFormat: Text.PlainText
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        enabled: id_btn.enabled
        onClicked: {
            if (id_btn.checkable) {
                id_btn.checked = !id_btn.checked
            }
            id_btn.clicked()
        }
    }
}
