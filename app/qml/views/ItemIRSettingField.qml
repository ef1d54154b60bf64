import QtQuick 2.15
import "../common"

// One labelled text field of the property panel. The typed text is sent as
// soon as it changes, unless the panel is filling the field itself. A value
// the picture refused shows a red border; leaving the field then asks for
// the picture's value back.
Row {
    id: id_field
    property string strLabel: ""
    property string strKey: ""
    property alias strValue: id_input.text
    property alias validator: id_input.validator
    property bool bFilling: false
    property int nLabelWidth: 90
    property bool bRefused: false

    signal sig_set_setting(var json)
    signal sig_restore()

    spacing: 6
    height: 26

    Text {
        width: id_field.nLabelWidth
        elide: Text.ElideRight
        anchors.verticalCenter: parent.verticalCenter
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        text: id_field.strLabel
    }
    Rectangle {
        width: 120
        height: 24
        color: ItemCommonClr.clrClientBackground
        border.color: id_field.bRefused ? "#FF4040" : id_input.activeFocus ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
        TextInput {
            id: id_input
            objectName: "input_" + id_field.strKey
            anchors.fill: parent
            anchors.margins: 4
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            selectByMouse: true
            clip: true
            onActiveFocusChanged: if (!activeFocus && id_field.bRefused) id_field.sig_restore()
            Keys.onReturnPressed: if (id_field.bRefused) id_field.sig_restore()
            Keys.onEnterPressed: if (id_field.bRefused) id_field.sig_restore()
            onTextChanged: {
                if (!id_field.bFilling && activeFocus) {
                    var json = {}
                    json[id_field.strKey] = text
                    id_field.sig_set_setting(json)
                }
            }
        }
    }
}
