import QtQuick 2.15
import "../common"

// The refresh choices of the temperature windows: every 1, 2, 5, 10 or 60
// seconds.
Row {
    id: id_choice
    spacing: 4
    property int nSeconds: 1
    signal sig_choose(int n_seconds)

    Text {
        anchors.verticalCenter: parent.verticalCenter
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        text: qsTr("更新频率：")
    }
    Repeater {
        model: [1, 2, 5, 10, 60]
        ItemIRToolButton {
            objectName: "btn_refresh_" + modelData
            height: 24
            strText: modelData + "s"
            bChecked: id_choice.nSeconds === modelData
            onSig_press_btn: { id_choice.nSeconds = modelData; id_choice.sig_choose(modelData) }
        }
    }
}
