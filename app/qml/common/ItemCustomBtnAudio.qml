import QtQuick 2.15
import "."

// Icon and text button of the voice-note panel.
Rectangle {
    id: id_btn
    property string strIconPath: ""
    property string strText: ""

    signal sig_btn_click()
    signal sig_btn_entered(bool entered)

    width: id_icon.width + id_text.implicitWidth + 14
    height: 24
    radius: 2
    color: id_mouse.pressed ? ItemCommonClr.clrPress
                            : (id_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTitleBackground)

    Image {
        id: id_icon
        anchors.left: parent.left
        anchors.leftMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        sourceSize: Qt.size(16, 16)
        source: id_btn.strIconPath
    }
    Text {
        id: id_text
        anchors.left: id_icon.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        textFormat: Text.PlainText
        text: id_btn.strText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onEntered: id_btn.sig_btn_entered(true)
        onExited: id_btn.sig_btn_entered(false)
        onClicked: id_btn.sig_btn_click()
    }
}
