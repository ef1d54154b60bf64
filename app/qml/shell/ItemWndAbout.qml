import QtQuick 2.15
import QtQuick.Window 2.15
import "../common"

// About window: name and version, company and legal notice; dragged by the
// mouse anywhere.
Window {
    id: id_about
    objectName: "wnd_about"
    width: 420
    height: 190
    visible: false
    modality: Qt.WindowModal
    flags: Qt.Dialog | Qt.FramelessWindowHint
    color: ItemCommonClr.clrBackground
    title: ItemCommonText.strTextAbout

    readonly property string strVersion: GlobalFunction.get_software_version()

    MouseArea {
        anchors.fill: parent
        property point pressPos
        onPressed: pressPos = Qt.point(mouse.x, mouse.y)
        onPositionChanged: {
            id_about.x += mouse.x - pressPos.x
            id_about.y += mouse.y - pressPos.y
        }
    }
    ItemWndHead {
        id: id_head
        strTitle: ItemCommonText.strTextAbout
        closeObjectName: "about_close"
        onSig_close: id_about.visible = false
    }
    Image {
        id: id_icon
        anchors.left: parent.left
        anchors.leftMargin: 24
        anchors.top: id_head.bottom
        anchors.topMargin: 24
        width: 64
        height: 64
        sourceSize: Qt.size(64, 64)
        source: DataCommon.strSettingSofwareIco
    }
    Column {
        anchors.left: id_icon.right
        anchors.leftMargin: 20
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.top: id_icon.top
        spacing: 10
        Text {
            objectName: "about_name"
            width: parent.width
            wrapMode: Text.WordWrap
            textFormat: Text.PlainText
            text: DataCommon.strSettingSofwareName + " v" + id_about.strVersion
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 14
        }
        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            textFormat: Text.PlainText
            text: DataCommon.strSettingSofwareCompany
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
        }
        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            textFormat: Text.PlainText
            text: DataCommon.strSettingSofwareAbout
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
        }
    }
}
