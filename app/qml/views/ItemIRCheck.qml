import QtQuick 2.15
import "../common"

// A check box with its label, of the property panels. A click asks for the
// other state; the owner sets bChecked from what the object then holds, so
// a binding of bChecked is never broken by the click.
Item {
    id: id_check
    property string strText: ""
    property bool bChecked: false

    signal sig_toggled(bool b_checked)

    implicitWidth: id_row.width
    height: 22
    opacity: enabled ? 1.0 : 0.4

    Row {
        id: id_row
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 14; height: 14
            color: id_check.bChecked ? ItemCommonClr.clrPress : ItemCommonClr.clrClientBackground
            border.color: ItemCommonClr.clrTextBroder
            Text { anchors.centerIn: parent; visible: id_check.bChecked; color: ItemCommonClr.clrTextButton; font.pixelSize: 11; text: "✓" }
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: id_check.strText
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: id_check.sig_toggled(!id_check.bChecked)
    }
}
