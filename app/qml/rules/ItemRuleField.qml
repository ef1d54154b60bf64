import QtQuick 2.15
import "../common"
import "."

// A labelled text field; multi-line when mb_multi_line.
Item {
    id: id_field
    property alias label: id_label.text
    property bool mb_multi_line: false
    property string text: ""
    // The label column; dialogs give all their labels one width.
    property real mn_label_width: label_implicit_width + 8
    readonly property real label_implicit_width: id_label.implicitWidth

    height: mb_multi_line ? 60 : 26

    Text {
        id: id_label
        width: id_field.mn_label_width
        anchors.top: parent.top
        anchors.topMargin: 5
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        textFormat: Text.PlainText
    }
    Rectangle {
        anchors.left: id_label.right
        anchors.right: parent.right
        height: parent.height
        color: ItemCommonClr.clrClientBackground
        border.width: 1
        border.color: id_edit.activeFocus ? ItemCommonClr.clrHover : ItemCommonClr.clrTextBroder
        clip: true

        TextEdit {
            id: id_edit
            objectName: id_field.objectName + "_edit"
            anchors.fill: parent
            anchors.margins: 5
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            textFormat: TextEdit.PlainText
            wrapMode: id_field.mb_multi_line ? TextEdit.Wrap : TextEdit.NoWrap
            selectByMouse: true
            text: id_field.text
            onTextChanged: {
                if (!id_field.mb_multi_line && text.indexOf("\n") >= 0) {
                    text = text.replace(/\n/g, "")
                }
                id_field.text = text
            }
            Keys.onReturnPressed: {
                if (id_field.mb_multi_line) {
                    event.accepted = false
                }
            }
        }
    }
}
