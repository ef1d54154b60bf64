import QtQuick 2.15
import "../common"

// A text button of the alarm panel and dialog, with an optional tip shown
// while the mouse is over it.
Rectangle {
    id: id_btn
    property string strText: ""
    property string strTip: ""

    signal sig_clicked()

    width: Math.max(24, id_text.implicitWidth + 12)
    height: 24
    // The tip hangs below the button: over its neighbours while shown.
    z: id_mouse.containsMouse ? 2 : 0
    radius: 3
    color: id_mouse.pressed ? ItemCommonClr.clrPress
                            : (id_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTitleBackground)
    opacity: enabled ? 1.0 : 0.4

    Text {
        id: id_text
        anchors.centerIn: parent
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        text: id_btn.strText
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: id_btn.sig_clicked()
    }
    Rectangle {
        visible: id_btn.strTip !== "" && id_mouse.containsMouse
        z: 10
        y: id_btn.height + 2
        anchors.right: parent.right
        width: id_tip.implicitWidth + 10
        height: id_tip.implicitHeight + 6
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrTextBroder
        Text {
            id: id_tip
            anchors.centerIn: parent
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
            text: id_btn.strTip
        }
    }
}
