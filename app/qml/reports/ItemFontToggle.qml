import QtQuick 2.15
import "../common"

// A small toggle of the font section, showing a letter or an icon.
Rectangle {
    id: id_toggle
    property string strText: ""
    property string strIconNormal: ""
    property string strIconPressed: ""
    property string strTip: ""
    property bool bChecked: false
    property alias font: id_text.font
    property var tipItem: null

    signal sig_clicked()

    width: 28
    height: 24
    radius: 2
    color: bChecked ? ItemCommonClr.clrTextNormal
                    : (id_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTitleBackground)
    border.color: ItemCommonClr.clrTextBroder

    Text {
        id: id_text
        visible: id_toggle.strIconNormal === ""
        anchors.centerIn: parent
        textFormat: Text.PlainText
        color: id_toggle.bChecked ? ItemCommonClr.clrTitleBackground : ItemCommonClr.clrTextButton
        font.pixelSize: 13
        text: id_toggle.strText
    }
    Image {
        visible: id_toggle.strIconNormal !== ""
        anchors.fill: parent
        anchors.margins: 3
        fillMode: Image.PreserveAspectFit
        sourceSize: Qt.size(24, 24)
        source: id_toggle.bChecked || id_mouse.containsMouse ? id_toggle.strIconPressed : id_toggle.strIconNormal
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onEntered: if (id_toggle.tipItem) id_toggle.tipItem.show_tip(id_toggle.strTip)
        onExited: if (id_toggle.tipItem) id_toggle.tipItem.hide_tip()
        onClicked: id_toggle.sig_clicked()
    }
}
