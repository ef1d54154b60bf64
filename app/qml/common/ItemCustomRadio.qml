import QtQuick 2.15
import "."

// Radio or check button of the settings windows.
Item {
    id: id_radio
    property string strText: ""
    property bool checked: false
    property bool bSquare: false

    // A width below the text's elides it; bTruncated then tells the owner
    // to show the whole text as a tip while bHovered.
    readonly property bool bTruncated: id_text.truncated
    readonly property bool bHovered: id_mouse.containsMouse

    signal sig_clicked()

    implicitWidth: id_mark.width + 6 + id_text.implicitWidth
    implicitHeight: 22
    width: implicitWidth
    height: implicitHeight
    opacity: enabled ? 1.0 : 0.5

    Rectangle {
        id: id_mark
        anchors.verticalCenter: parent.verticalCenter
        width: 14
        height: 14
        radius: id_radio.bSquare ? 2 : 7
        color: ItemCommonClr.clrScrollBorder
        border.color: ItemCommonClr.clrTextNormal
        Rectangle {
            anchors.centerIn: parent
            width: 8
            height: 8
            radius: id_radio.bSquare ? 1 : 4
            visible: id_radio.checked
            color: ItemCommonClr.clrPress
        }
    }
    Text {
        id: id_text
        anchors.left: id_mark.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        width: Math.max(0, id_radio.width - id_mark.width - 6)
        elide: Text.ElideRight
        textFormat: Text.PlainText
        text: id_radio.strText
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: id_radio.sig_clicked()
    }
}
