import QtQuick 2.15
import QtQuick.Dialogs 1.3
import "../common"
import "../views"
import "../browse"

// Client area: the start page and the document windows, one per title-bar
// tab; exactly one of them is visible.
Rectangle {
    id: id_client
    objectName: "wnd_client"
    color: ItemCommonClr.clrClientBackground

    // Page or window id currently shown: a negative start-page id or a
    // document window id.
    property int nCurId: ItemCommonDef.showWndPreviewFile

    // Recording opened from the start page, until the player window takes it.
    property string strOpenedPath: ""

    ItemWndPreview {
        id: id_start_page
        objectName: "start_page"
        anchors.fill: parent
        visible: id_client.nCurId < 0
        onSig_open_pic: id_client.open_picture(path)
        onSig_open_video: {
            id_client.strOpenedPath = path
            id_client.nCurId = ItemCommonDef.wndFunctionPlayer
        }
    }

    // Stands for the player window until it is built.
    ItemPageUnavailable {
        objectName: "document_page"
        anchors.fill: parent
        visible: id_client.nCurId === ItemCommonDef.wndFunctionPlayer
        strWhat: id_client.strOpenedPath
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
