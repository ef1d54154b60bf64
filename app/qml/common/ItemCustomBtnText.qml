import QtQuick 2.15
import "."

// Clickable text, e.g. an entry of a path bar.
Text {
    id: id_text
    property bool mb_cur: false
    property bool mb_enter: false
    property int mn_index: 0

    signal sig_click(int index)

    textFormat: Text.PlainText
    color: mb_cur ? ItemCommonClr.clrTextPress : (mb_enter ? ItemCommonClr.clrHover : ItemCommonClr.clrTextNormal)
    font.pixelSize: 12
    font.underline: mb_enter

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: id_text.mb_enter = true
        onExited: id_text.mb_enter = false
        onClicked: id_text.sig_click(id_text.mn_index)
    }
}
