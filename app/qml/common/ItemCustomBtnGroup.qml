import QtQuick 2.15
import "."

// Button of a group of choices with a name and a count.
Rectangle {
    id: id_btn
    property string strName: ""
    property int nCount: -1
    property color clrNormal: ItemCommonClr.clrTitleBackground
    property color clrChecked: ItemCommonClr.clrPress
    property color clrHover: ItemCommonClr.clrBtnTitleHover
    property bool checkable: true
    property bool checked: false

    signal sig_btn_checked(bool changed)
    signal sig_btn_entered(bool entered)
    signal sig_btn_pressed()

    width: Math.max(60, id_text.implicitWidth + 16)
    height: 26
    color: checked ? clrChecked : (id_mouse.containsMouse ? clrHover : clrNormal)

    Text {
        id: id_text
        anchors.centerIn: parent
        textFormat: Text.PlainText
        text: id_btn.nCount < 0 ? id_btn.strName : id_btn.strName + " (" + id_btn.nCount + ")"
        color: id_btn.checked ? ItemCommonClr.clrTextPress : ItemCommonClr.clrTextNormal
        font.pixelSize: 12
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onEntered: id_btn.sig_btn_entered(true)
        onExited: id_btn.sig_btn_entered(false)
        onPressed: {
            id_btn.sig_btn_pressed()
            if (id_btn.checkable && !id_btn.checked) {
                id_btn.checked = true
                id_btn.sig_btn_checked(true)
            }
        }
    }
}
