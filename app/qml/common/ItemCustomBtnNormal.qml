import QtQuick 2.15
import "."

// Text button of the dark theme.
Rectangle {
    id: id_btn
    property string strText: ""
    property color clrBorder: bEntered ? ItemCommonClr.clrHover : ItemCommonClr.clrTextBroder
    property color clrBackground: bPressed ? ItemCommonClr.clrPress
                                           : (bEntered ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTitleBackground)
    property int fontPixelSize: 12
    property bool bEntered: false
    property bool bPressed: false

    signal sig_btn_pressed()
    signal sig_btn_release()
    signal sig_btn_entered(bool entered)

    width: Math.max(70, id_text.implicitWidth + 20)
    height: 26
    radius: 2
    border.width: 1
    border.color: clrBorder
    color: clrBackground
    opacity: enabled ? 1.0 : 0.5

    Text {
        id: id_text
        anchors.centerIn: parent
        text: id_btn.strText
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: id_btn.fontPixelSize
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: { id_btn.bEntered = true; id_btn.sig_btn_entered(true) }
        onExited: { id_btn.bEntered = false; id_btn.sig_btn_entered(false) }
        onPressed: { id_btn.bPressed = true; id_btn.sig_btn_pressed() }
        onReleased: { id_btn.bPressed = false; id_btn.sig_btn_release() }
    }
}
