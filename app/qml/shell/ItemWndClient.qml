import QtQuick 2.15
import "../common"

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
}
