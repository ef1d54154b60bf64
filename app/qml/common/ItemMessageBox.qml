import QtQuick 2.15
import QtQuick.Window 2.15
import "."

// Window-modal message box: one OK button, or OK and Cancel for a choice.
// sig_return gives 1 for OK, 0 for Cancel or close, the box type and the item.
Window {
    id: id_box
    property int nType: -1
    property var curItem: null
    property string strText: ""

    signal sig_return(int result, int type, var item)

    width: 250
    height: 160
    visible: false
    modality: Qt.WindowModal
    flags: Qt.Dialog | Qt.FramelessWindowHint
    color: ItemCommonClr.clrBackground
    title: ItemCommonText.strTextWarningTitle

    onVisibleChanged: if (!visible) nType = -1

    function show_message_box(text) { show_message_box_width(text, 250, 160) }
    function show_message_box_width(text, w, h) {
        open_box(0, null, text, w, h)
    }
    function show_choose_box(item, text) { show_choose_box_width(item, text, 250) }
    function show_choose_box_width(item, text, w) {
        open_box(1, item, text, w, 160)
    }
    function open_box(type, item, text, w, h) {
        strText = text
        curItem = item
        width = w
        height = h
        visible = true
        nType = type
    }
    function finish(result) {
        var type = nType
        var item = curItem
        visible = false
        sig_return(result, type, item)
    }

    ItemWndHead {
        id: id_title
        strTitle: id_box.title
        closeObjectName: "message_box_close"
        onSig_close: id_box.finish(0)
    }
    Text {
        anchors { left: parent.left; right: parent.right; top: id_title.bottom; bottom: id_buttons.top; margins: 12 }
        // Long file names break where they must.
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        text: id_box.strText
        color: ItemCommonClr.clrTextSecLv
        font.pixelSize: 12
    }
    Row {
        id: id_buttons
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 12
        spacing: 16
        ItemCustomBtnNormal {
            objectName: "message_box_ok"
            strText: ItemCommonText.strTextOK
            onSig_btn_release: id_box.finish(1)
        }
        ItemCustomBtnNormal {
            objectName: "message_box_cancel"
            visible: id_box.nType === 1
            strText: ItemCommonText.strTextCancel
            onSig_btn_release: id_box.finish(0)
        }
    }
}
