import QtQuick 2.15
import "../common"
import "."

// A labelled choice of one entry: the entries as exclusive buttons, as wide
// as their texts need while the row has room, else sharing it evenly (each
// then elides its text and shows it whole as a tool tip).
Item {
    id: id_choice
    property alias label: id_label.text
    property var model: []
    property int mn_index: 0
    // The label column; dialogs give all their labels one width.
    property real mn_label_width: label_implicit_width + 8
    readonly property real label_implicit_width: id_label.implicitWidth
    readonly property real mn_share: model.length > 0 ? (width - id_buttons.x - 4 * (model.length - 1)) / model.length : 0

    height: 26

    Text {
        id: id_label
        width: id_choice.mn_label_width
        anchors.verticalCenter: parent.verticalCenter
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        textFormat: Text.PlainText
    }
    Row {
        id: id_buttons
        anchors.left: id_label.right
        spacing: 4
        Repeater {
            model: id_choice.model
            delegate: ItemRuleButton {
                objectName: id_choice.objectName + "_" + index
                width: Math.max(20, Math.min(Math.max(52, Math.ceil(text_width) + 16), id_choice.mn_share))
                height: 26
                text: modelData
                checked: id_choice.mn_index === index
                onClicked: id_choice.mn_index = index
            }
        }
    }
}
