import QtQuick 2.15
import "."

// Title strip of the small frameless windows, with an optional close button.
Rectangle {
    id: id_head
    property string strTitle: ""
    property bool bClosable: true
    property alias closeObjectName: id_close.objectName

    signal sig_close()

    anchors { left: parent.left; right: parent.right; top: parent.top }
    height: 30
    color: ItemCommonClr.clrTitleBackground

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        textFormat: Text.PlainText
        text: id_head.strTitle
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
    }
    ItemCustomBtnIcon {
        id: id_close
        visible: id_head.bClosable
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        strIconPath: "qrc:/images/title/btn_close.svg"
        onSig_btn_click: id_head.sig_close()
    }
}
