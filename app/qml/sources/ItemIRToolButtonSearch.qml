import QtQuick 2.15
import "../common"

// The search button of the cameras page.
Rectangle {
    id: id_btn
    signal clicked()
    width: Math.max(80, id_text.implicitWidth + 20)
    height: 28
    radius: 3
    color: id_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrPress
    Text {
        id: id_text
        anchors.centerIn: parent
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        text: qsTr("搜索")
    }
    MouseArea { id: id_mouse; anchors.fill: parent; hoverEnabled: true; onClicked: id_btn.clicked() }
}
