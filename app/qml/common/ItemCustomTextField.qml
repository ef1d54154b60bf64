import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "."

// Text field of the dark theme.
TextField {
    id: id_field
    activeFocusOnPress: true
    menu: null
    implicitWidth: 60
    implicitHeight: 24
    style: TextFieldStyle {
        textColor: control.enabled ? ItemCommonClr.clrTextButton : ItemCommonClr.clrTextDisable
        selectionColor: ItemCommonClr.clrPress
        selectedTextColor: ItemCommonClr.clrTextPress
        background: Rectangle {
            implicitWidth: 60
            implicitHeight: 24
            radius: 2
            border.color: (control.hovered || control.activeFocus) ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
            color: (control.enabled && !control.readOnly) ? ItemCommonClr.clrScrollBorder : ItemCommonClr.clrTitleBackground
        }
    }
}
