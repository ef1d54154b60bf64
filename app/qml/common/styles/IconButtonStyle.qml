import QtQuick 2.15
import QtQuick.Controls.Styles 1.4

// Flat icon button of the title bars and zoom buttons. It lives apart from
// the common folder, whose singleton ItemBtnAllStyle instantiates it, so that
// the two do not import each other; the singleton hands in the colours.
ButtonStyle {
    property string strIcon: ""
    property color clrPress
    property color clrHover

    background: Rectangle {
        implicitWidth: 34
        implicitHeight: 26
        color: control.pressed ? clrPress : (control.hovered ? clrHover : "transparent")
        Image {
            anchors.centerIn: parent
            sourceSize: Qt.size(16, 16)
            source: strIcon
        }
    }
    label: Item {}
}
