import QtQuick 2.15
import "../common"

// A number field with one decimal, for the dialogs of the view tools.
Rectangle {
    width: 125
    height: 26
    color: ItemCommonClr.clrClientBackground
    border.color: ItemCommonClr.clrBackground
    readonly property alias input: id_input

    TextInput {
        id: id_input
        objectName: parent.objectName + "_text"
        anchors.fill: parent
        anchors.margins: 5
        color: ItemCommonClr.clrTextSecLv
        font.pixelSize: 12
        selectByMouse: true
        validator: DoubleValidator { decimals: 1; notation: DoubleValidator.StandardNotation }
    }
}
