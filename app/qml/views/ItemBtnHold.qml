import QtQuick 2.15
import "../common"

// A button that acts while held: pressed on press, released on release.
Rectangle {
    id: id_btn
    property string strText: ""

    signal sig_pressed()
    signal sig_released()

    width: Math.max(34, id_text.implicitWidth + 12)
    height: 30
    radius: 3
    color: id_mouse.pressed ? ItemCommonClr.clrPress
                            : (id_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTransparent)
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
        onPressed: id_btn.sig_pressed()
        onReleased: id_btn.sig_released()
        onCanceled: id_btn.sig_released()
    }
}
