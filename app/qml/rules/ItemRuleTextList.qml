import QtQuick 2.15
import "../common"
import "."

// A titled list of texts numbered 01., 02., … with the text as tool tip.
Rectangle {
    id: id_list
    property alias model: id_view.model
    property alias title: id_title.text

    color: ItemCommonClr.clrClientBackground
    border.color: ItemCommonClr.clrTextBroder

    Text {
        id: id_title
        x: 6
        height: 22
        verticalAlignment: Text.AlignVCenter
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
    }
    ListView {
        id: id_view
        anchors { left: parent.left; right: parent.right; top: id_title.bottom; bottom: parent.bottom; margins: 4 }
        clip: true
        delegate: Text {
            width: id_view.width
            height: 20
            elide: Text.ElideRight
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            textFormat: Text.PlainText
            text: (index + 1 < 10 ? "0" : "") + (index + 1) + ". " + strText
            MouseArea {
                anchors.fill: parent
                hoverEnabled: true
                onPositionChanged: id_tip.show_tip_ext(mouse.x, mouse.y, this, parent.text)
                onExited: id_tip.hide_tip()
            }
        }
    }
    ItemToolTip { id: id_tip }
}
