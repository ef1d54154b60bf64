import QtQuick 2.15
import "../common"
import "."

// A text button of the rule views; checkable buttons show their state. It
// is as wide as its text needs (80 at least); a button given a fixed width
// elides its text and shows it whole as a tool tip.
Rectangle {
    id: id_btn
    property alias text: id_text.text
    property bool checkable: false
    property bool checked: false
    // Shown on hover; the whole text when the button cuts it.
    property string tip: ""
    // Width the whole text needs.
    readonly property real text_width: id_text.implicitWidth
    signal clicked()

    width: Math.max(80, Math.ceil(id_text.implicitWidth) + 16)
    height: 30
    radius: 2
    opacity: enabled ? 1.0 : 0.45
    color: checked ? ItemCommonClr.clrPress
                   : id_mouse.containsMouse && enabled ? ItemCommonClr.clrHover : ItemCommonClr.clrTitleBackground
    border.width: 1
    border.color: ItemCommonClr.clrTextBroder

    Text {
        id: id_text
        anchors.centerIn: parent
        width: Math.min(implicitWidth, id_btn.width - 8)
        elide: Text.ElideRight
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        textFormat: Text.PlainText
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        enabled: id_btn.enabled
        onClicked: {
            if (id_btn.checkable) {
                id_btn.checked = !id_btn.checked
            }
            id_btn.clicked()
        }
    }
    ItemHoverTip {
        text: id_btn.tip !== "" ? id_btn.tip : (id_text.truncated ? id_btn.text : "")
        hovered: id_mouse.containsMouse
        mouseX: id_mouse.mouseX
        mouseY: id_mouse.mouseY
    }
}
