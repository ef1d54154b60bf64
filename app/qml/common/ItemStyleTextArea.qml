import QtQuick 2.15
import QtQuick.Controls.Styles 1.4
import "."

// Text area of the dark theme.
TextAreaStyle {
    textColor: control.enabled ? ItemCommonClr.clrTextButton : ItemCommonClr.clrTextDisable
    selectionColor: ItemCommonClr.clrPress
    selectedTextColor: ItemCommonClr.clrTextPress
    backgroundColor: ItemCommonClr.clrScrollBorder
    transientScrollBars: false
    handle: Rectangle {
        implicitWidth: 8
        implicitHeight: 8
        radius: 4
        color: ItemCommonClr.clrTextBroder
    }
    scrollBarBackground: Rectangle {
        implicitWidth: 10
        implicitHeight: 10
        color: ItemCommonClr.clrScrollBorder
    }
    decrementControl: Item {}
    incrementControl: Item {}
}
