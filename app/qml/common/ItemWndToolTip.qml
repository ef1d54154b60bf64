import QtQuick 2.15
import QtQuick.Window 2.15
import "."

// Tooltip as a frameless window, for use inside other windows.
Window {
    id: id_tip
    flags: Qt.ToolTip | Qt.FramelessWindowHint
    visible: false
    width: id_text.implicitWidth + 12
    height: id_text.implicitHeight + 8
    color: ItemCommonClr.clrTitleBackground
    readonly property alias strText: id_text.text

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

    function show_tip_plus(x, y, text) {
        if (text === undefined || text === "")
            return
        id_text.text = text
        id_tip.x = x + 10
        id_tip.y = y + 10
        id_tip.visible = true
        id_hide_timer.restart()
    }
    function show_tip(text) {
        var pos = GlobalFunction.get_mouse_pos()
        show_tip_plus(pos.x, pos.y, text)
    }
    function show_tip_ext(x, y, item, text) {
        var pos = item.mapToGlobal(x, y)
        show_tip_plus(pos.x, pos.y, text)
    }
    function hide_tip() {
        id_hide_timer.stop()
        id_tip.visible = false
    }
}
