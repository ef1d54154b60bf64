import QtQuick 2.15
import "../common"
import "."

// The context menu of the rule tree.
Rectangle {
    id: id_menu
    property var tree: null

    objectName: "rule_tree_menu"
    visible: false
    z: 20
    width: 160
    height: id_column.height
    color: ItemCommonClr.clrTitleBackground
    border.color: ItemCommonClr.clrTextBroder

    Column {
        id: id_column
        Repeater {
            model: [
                { name: "add", text: ItemRuleText.strAddDetectRule, shown: true },
                { name: "clear", text: ItemRuleText.strClearAllDetectRule, shown: !id_menu.tree.mb_empty_tree },
                { name: "delete", text: ItemRuleText.strDelete, shown: id_menu.tree.mb_has_delete }
            ]
            delegate: Rectangle {
                objectName: "rule_menu_" + modelData.name
                visible: modelData.shown
                width: 160
                height: 20
                color: id_item_mouse.containsMouse ? ItemCommonClr.clrHover : ItemCommonClr.clrTransparent
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    x: 10
                    color: ItemCommonClr.clrTextButton
                    font.pixelSize: 12
                    textFormat: Text.PlainText
                    text: modelData.text
                }
                MouseArea {
                    id: id_item_mouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        id_menu.visible = false
                        const tree = id_menu.tree
                        if (modelData.name === "add") {
                            tree.sig_add_detect_rule()
                        } else if (modelData.name === "clear") {
                            tree.m_message.ask(ItemRuleText.strClearDetectRuleQue, tree.clear_all_rules)
                        } else {
                            tree.m_message.ask(ItemRuleText.strDeleteDetectRuleQue, tree.delete_menu_node)
                        }
                    }
                }
            }
        }
    }
}
