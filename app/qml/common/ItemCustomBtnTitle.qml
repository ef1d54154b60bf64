import QtQuick 2.15
import "."

// Tab of the title bar: a page button, or a document tab with a close mark.
Rectangle {
    id: id_tab
    property string ms_text: ""
    property bool checked: false
    property bool bHover: false
    property bool bPress: false
    property bool bClosable: false
    // Width the text needs, for buttons sized to their text.
    readonly property int nTextWidth: id_label.implicitWidth

    signal sig_on_click(bool checked)
    signal sig_on_close()

    height: 28
    color: checked ? ItemCommonClr.clrBackground
                   : (bPress ? ItemCommonClr.clrBtnTitlePress : (bHover ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTransparent))

    Text {
        id: id_label
        anchors.left: parent.left
        anchors.leftMargin: 6
        anchors.right: id_close.visible ? id_close.left : parent.right
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        horizontalAlignment: id_tab.bClosable ? Text.AlignLeft : Text.AlignHCenter
        // A document tab keeps its end, where its number stands.
        elide: id_tab.bClosable ? Text.ElideMiddle : Text.ElideRight
        textFormat: Text.PlainText
        text: id_tab.ms_text
        color: id_tab.checked ? ItemCommonClr.clrTextPress : ItemCommonClr.clrTextNormal
        font.pixelSize: 12
    }

    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onEntered: id_tab.bHover = true
        onExited: id_tab.bHover = false
        onPressed: id_tab.bPress = true
        onReleased: id_tab.bPress = false
        onClicked: id_tab.sig_on_click(!id_tab.checked)
    }

    // The whole name while the tab cuts it.
    ItemHoverTip {
        text: id_label.truncated ? id_tab.ms_text : ""
        hovered: id_tab.bHover
        mouseX: id_mouse.mouseX
        mouseY: id_mouse.mouseY
    }

    Image {
        id: id_close
        objectName: "tab_close"
        visible: id_tab.bClosable
        anchors.right: parent.right
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        sourceSize: Qt.size(12, 12)
        source: "qrc:/images/title/btn_close.svg"
        MouseArea {
            anchors.fill: parent
            onClicked: id_tab.sig_on_close()
        }
    }
}
