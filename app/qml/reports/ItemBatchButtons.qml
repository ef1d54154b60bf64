import QtQuick 2.15
import "../rules"

// The button row at the bottom right of a batch window: one button per
// entry of mButtons ({ name, text, enabled }), each reporting its name.
Row {
    id: id_row
    property var mButtons: []
    property int mn_btn_width: 80
    property int mn_btn_height: 30

    signal sig_clicked(string name)

    anchors { right: parent.right; bottom: parent.bottom }
    spacing: 10
    Repeater {
        model: id_row.mButtons
        ItemRuleButton {
            objectName: modelData.name
            width: id_row.mn_btn_width
            height: id_row.mn_btn_height
            text: modelData.text
            enabled: modelData.enabled
            onClicked: id_row.sig_clicked(modelData.name)
        }
    }
}
