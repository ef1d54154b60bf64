import QtQuick 2.15
import "../common"

// The translucent cover that a plain picture (one without temperatures)
// lays over the controls that need temperatures; hovering it tells why.
Rectangle {
    id: id_cover
    color: "#B0181F27"
    readonly property alias bHovered: id_cover_mouse.containsMouse

    Text {
        objectName: "text_cover_tip"
        anchors.centerIn: parent
        width: parent.width - 20
        visible: id_cover_mouse.containsMouse
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        text: qsTr("非红外图片，红外相关控制无效！")
    }
    // Takes the clicks and the wheel, so nothing under it reacts.
    MouseArea {
        id: id_cover_mouse
        anchors.fill: parent
        hoverEnabled: true
        onWheel: wheel.accepted = true
    }
}
