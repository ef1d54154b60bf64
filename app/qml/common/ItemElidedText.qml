import QtQuick 2.15
import "."

// A one-line text that elides when its width falls short of it, and then
// shows itself whole as a tool tip.
Text {
    id: id_text
    elide: Text.ElideRight
    textFormat: Text.PlainText

    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: id_text.truncated
        acceptedButtons: Qt.NoButton
    }
    ItemHoverTip {
        text: id_text.truncated ? id_text.text : ""
        hovered: id_mouse.containsMouse
        mouseX: id_mouse.mouseX
        mouseY: id_mouse.mouseY
    }
}
