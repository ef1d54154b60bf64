import QtQuick 2.15
import "../common"

// A radio button of the alarm dialog; the dialog keeps the choice.
Item {
    id: id_radio
    property string strText: ""
    property bool bChecked: false

    signal sig_clicked()

    width: id_content.implicitWidth
    height: 20
    Row {
        id: id_content
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6
        Rectangle {
            width: 14; height: 14; radius: 7
            anchors.verticalCenter: parent.verticalCenter
            color: ItemCommonClr.clrClientBackground
            border.color: ItemCommonClr.clrTextLabel
            Rectangle { anchors.centerIn: parent; width: 6; height: 6; radius: 3; color: ItemCommonClr.clrPress; visible: id_radio.bChecked }
        }
        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 12; text: id_radio.strText }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: id_radio.sig_clicked()
    }
}
