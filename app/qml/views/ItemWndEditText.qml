import QtQuick 2.15
import "../common"

// In-place text editor: show_edit places a text area at a rectangle given in
// scene coordinates, with the text selected and the component's font. A
// press or wheel anywhere on the layer around it closes it; a changed, not
// empty text is handed back with the function and data it was opened with.
Item {
    id: id_edit
    objectName: "wnd_edit_text"
    property int nFunction: 0
    property var dataEdit: 0
    property string strOldText: ""
    readonly property alias strText: id_input.text
    // Size of a point in pixels at 96 dots per inch.
    readonly property real fPointPixels: 96 / 72

    signal sig_change_text(string text, int n_function, var data)

    anchors.fill: parent
    visible: false
    z: 70

    function show_edit(x, y, width, height, text, n_function, data_, json_font) {
        var at = mapFromItem(null, x, y)
        id_frame.x = at.x
        id_frame.y = at.y
        id_frame.width = Math.max(width, 20)
        id_frame.height = Math.max(height, 20)
        var font = json_font || {}
        id_input.font.bold = font["bBold"] === true
        id_input.font.italic = font["bItalic"] === true
        id_input.font.underline = font["bUnderline"] === true
        id_input.font.pixelSize = Math.max(1, Math.round((font["fPonitSize"] === undefined ? 10.5 : font["fPonitSize"]) * fPointPixels))
        if (font["sFamily"] !== undefined && font["sFamily"] !== "")
            id_input.font.family = font["sFamily"]
        var flags = font["nFlags"] === undefined ? 0 : font["nFlags"]
        id_input.horizontalAlignment = (flags & 0x4) ? TextEdit.AlignHCenter
                                                     : ((flags & 0x2) ? TextEdit.AlignRight : TextEdit.AlignLeft)
        nFunction = n_function
        dataEdit = data_
        strOldText = text
        id_input.text = text
        visible = true
        id_input.forceActiveFocus()
        id_input.selectAll()
    }
    function finish() {
        if (!visible)
            return
        visible = false
        var text = id_input.text
        if (text !== "" && text !== strOldText)
            sig_change_text(text, nFunction, dataEdit)
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onPressed: id_edit.finish()
        onWheel: id_edit.finish()
    }
    Rectangle {
        id: id_frame
        color: "white"
        border.color: ItemCommonClr.clrPress
        // Presses on the frame stay with the editor.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
        }
        TextEdit {
            id: id_input
            objectName: "edit_text_input"
            anchors.fill: parent
            anchors.margins: 2
            textFormat: TextEdit.PlainText
            wrapMode: TextEdit.Wrap
            selectByMouse: true
            color: "black"
            selectionColor: ItemCommonClr.clrPress
        }
    }
}
