import QtQuick 2.15
import "../common"
import "."

// One shown node of the rule tree: indent, expand mark and name.
Rectangle {
    id: id_row
    property var tree: null

    objectName: "rule_tree_row_" + TreeName
    height: 20
    color: tree.mn_cur_model === TreeNode ? ItemCommonClr.clrPress : ItemCommonClr.clrTransparent

    Text {
        id: id_mark
        x: TreeLevel * 15
        width: Math.max(20, implicitWidth)
        anchors.verticalCenter: parent.verticalCenter
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        font.family: "monospace"
        text: TreeHasChildren ? (TreeExpand ? " - " : " + ") : "   "
    }
    Text {
        anchors.left: id_mark.right
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        elide: Text.ElideRight
        textFormat: Text.PlainText
        text: TreeName
    }
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onPressed: {
            const node = TreeNode
            const pos = mapToItem(id_row.tree, mouse.x, mouse.y)
            if (mouse.button === Qt.RightButton) {
                id_row.tree.open_menu(node, pos.x, pos.y)
                return
            }
            id_row.tree.hide_tip()
            const on_mark = mouse.x >= id_mark.x && mouse.x < id_mark.x + id_mark.width
            id_row.tree.model.set_object_expand(node)
            if (!on_mark) {
                id_row.tree.select_node(node)
            }
        }
        onPositionChanged: {
            const pos = mapToItem(id_row.tree, mouse.x, mouse.y)
            id_row.tree.show_tip(TreeName, pos.x, pos.y)
        }
        onExited: id_row.tree.hide_tip()
    }
}
