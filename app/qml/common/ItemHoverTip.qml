import QtQuick 2.15
import QtQuick.Window 2.15
import "."

// The tool tip of the control it fills: shows its text while the pointer
// rests on the control. The tip sits in the window's content item so that
// no box of the control clips it.
Item {
    id: id_hover
    // The text shown; nothing is shown while it is empty.
    property string text: ""
    // Bound to the control's hover state; the pointer's place in the control.
    property bool hovered: false
    property real mouseX: 0
    property real mouseY: 0

    anchors.fill: parent

    onHoveredChanged: {
        if (hovered && text !== "")
            id_tip.show_tip_ext(mouseX, mouseY, id_hover, text)
        else
            id_tip.hide_tip()
    }

    ItemToolTip {
        id: id_tip
        objectName: "hover_tip"
        parent: id_hover.Window.contentItem
    }
}
