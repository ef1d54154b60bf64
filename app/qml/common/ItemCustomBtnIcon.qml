import QtQuick 2.15
import "."

// Flat icon button (title bar and window buttons).
Rectangle {
    id: id_btn
    property string strIconPath: ""
    property bool bHover: false
    property bool bPress: false
    property color clrHover: ItemCommonClr.clrBtnTitleHover

    signal sig_btn_click()

    width: 34
    height: 26
    color: bPress ? ItemCommonClr.clrBtnTitlePress : (bHover ? clrHover : ItemCommonClr.clrTransparent)

    Image {
        anchors.centerIn: parent
        source: id_btn.strIconPath
        sourceSize: Qt.size(16, 16)
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: id_btn.bHover = true
        onExited: id_btn.bHover = false
        onPressed: id_btn.bPress = true
        onReleased: id_btn.bPress = false
        onClicked: id_btn.sig_btn_click()
    }
}
