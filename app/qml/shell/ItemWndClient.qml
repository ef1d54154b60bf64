import QtQuick 2.15
import QtQuick.Dialogs 1.3
import "../common"
import "../views"

// Client area: the start page and the document windows, one per title-bar
// tab; exactly one of them is visible.
Rectangle {
    id: id_client
    objectName: "wnd_client"
    color: ItemCommonClr.clrClientBackground

    // Page or window id currently shown: a negative start-page id or a
    // document window id.
    property int nCurId: ItemCommonDef.showWndPreviewFile

    // Extension point: the start page (file preview, page -1) replaces this
    // placeholder with its own item from qml/browse/.
    ItemPageUnavailable {
        id: id_start_page
        objectName: "start_page"
        anchors.fill: parent
        visible: id_client.nCurId < 0
    }

    // Opens a picture file in the picture window and shows it; the start
    // page and the open dialog both come here. False when it cannot be
    // opened (the window then says so).
    function open_picture(str_path) {
        nCurId = 1
        return id_wnd_ir_image.open_file(str_path)
    }
    function show_open_picture_dialog() { id_open_dialog.active = true }

    ItemWndIRImage {
        id: id_wnd_ir_image
        anchors.fill: parent
        visible: id_client.nCurId === 1
    }

    Rectangle {
        objectName: "btn_open_picture"
        visible: id_client.nCurId < 0
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 60
        width: 140
        height: 36
        radius: 4
        color: ItemCommonClr.clrPress
        Text {
            anchors.centerIn: parent
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 14
            text: qsTr("打开图片…")
        }
        MouseArea { anchors.fill: parent; onClicked: id_client.show_open_picture_dialog() }
    }

    Loader {
        id: id_open_dialog
        active: false
        sourceComponent: FileDialog {
            title: qsTr("打开图片")
            nameFilters: [qsTr("图片 (*.jpg *.jpeg *.png)")]
            Component.onCompleted: open()
            onAccepted: { id_client.open_picture(fileUrl.toString()); id_open_dialog.active = false }
            onRejected: id_open_dialog.active = false
        }
    }
}
