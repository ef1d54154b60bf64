import QtQuick 2.15
import VY.WndPicPreview 1.0
import "../common"

// One cell of the thumbnail grid: the tile and the file name under it.
Item {
    id: id_cell
    width: 242
    height: 200

    property string strName: ""
    property string strPath: ""
    property bool bIsJpg: true
    property bool bSelected: false

    signal sig_pressed(int modifiers, int button)
    signal sig_double_clicked()

    Rectangle {
        anchors.fill: parent
        color: id_cell.bSelected ? ItemCommonClr.clrCurBackgroud
             : id_mouse.containsMouse ? ItemCommonClr.clrPreviewHover : ItemCommonClr.clrClientSecBackgroud
    }

    WndPicPreview {
        id: id_tile
        objectName: "tile"
        x: 5
        y: 5
        width: parent.width - 10
        height: parent.height - 32
        b_jpg: id_cell.bIsJpg
        str_pic_path: id_cell.strPath
    }

    Text {
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 6 }
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideMiddle
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextSecLv
        text: id_cell.strName
    }

    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onPressed: id_cell.sig_pressed(mouse.modifiers, mouse.button)
        onDoubleClicked: {
            if (mouse.button === Qt.LeftButton)
                id_cell.sig_double_clicked()
        }
    }
    ItemHoverTip {
        text: id_cell.strName
        hovered: id_mouse.containsMouse
        mouseX: id_mouse.mouseX
        mouseY: id_mouse.mouseY
    }
}
