import QtQuick 2.15
import QtQuick.Controls.Styles 1.4
import "."

// Scroll bars of the dark theme.
ScrollViewStyle {
    transientScrollBars: false
    handle: Rectangle {
        implicitWidth: 8
        implicitHeight: 8
        radius: 4
        color: styleData.pressed ? ItemCommonClr.clrPress : (styleData.hovered ? ItemCommonClr.clrHover : ItemCommonClr.clrTextBroder)
    }
    scrollBarBackground: Rectangle {
        implicitWidth: 10
        implicitHeight: 10
        color: ItemCommonClr.clrScrollBorder
    }
    decrementControl: Item {}
    incrementControl: Item {}
    corner: Rectangle { color: ItemCommonClr.clrScrollBorder }
}
