import QtQuick 2.15
import "../common"
import "."

// A labelled choice of one entry: the entries as exclusive buttons.
Item {
    id: id_choice
    property alias label: id_label.text
    property var model: []
    property int mn_index: 0

    height: 26

    Text {
        id: id_label
        width: 80
        anchors.verticalCenter: parent.verticalCenter
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
    }
    Row {
        anchors.left: id_label.right
        spacing: 4
        Repeater {
            model: id_choice.model
            delegate: ItemRuleButton {
                objectName: id_choice.objectName + "_" + index
                width: 52
                height: 26
                text: modelData
                checked: id_choice.mn_index === index
                onClicked: id_choice.mn_index = index
            }
        }
    }
}
