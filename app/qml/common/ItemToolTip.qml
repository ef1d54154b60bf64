import QtQuick 2.15
import "."

// Tooltip near the mouse, kept inside its parent, hidden after 2 seconds.
Rectangle {
    id: id_tip
    objectName: "tool_tip"
    visible: false
    z: 1000
    width: id_text.implicitWidth + 12
    height: id_text.implicitHeight + 8
    color: ItemCommonClr.clrTitleBackground
    border.color: ItemCommonClr.clrTextBroder

    Text {
        id: id_text
        anchors.centerIn: parent
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextSecLv
        font.pixelSize: 12
    }

    Timer {
        id: id_hide_timer
        interval: 2000
        onTriggered: id_tip.visible = false
    }

    function place(x, y, text) {
        if (text === undefined || text === "")
            return
        id_text.text = text
        var nx = x + 10
        var ny = y + 10
        if (parent) {
            if (nx + width > parent.width)
                nx = parent.width - width
            if (ny + height > parent.height)
                ny = parent.height - height
        }
        id_tip.x = Math.max(0, nx)
        id_tip.y = Math.max(0, ny)
        id_tip.visible = true
        id_hide_timer.restart()
    }

    function show_tip(text) {
        var pos = GlobalFunction.get_mouse_pos()
        place(pos.x, pos.y, text)
    }

    function show_tip_ext(x, y, item, text) {
        var pos = parent ? item.mapToItem(parent, x, y) : Qt.point(x, y)
        place(pos.x, pos.y, text)
    }

    function hide_tip() {
        id_hide_timer.stop()
        id_tip.visible = false
    }
}
