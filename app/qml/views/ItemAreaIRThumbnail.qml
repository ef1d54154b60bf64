import QtQuick 2.15
import VY.WndIRThumbnail 1.0
import "../common"

// The overview of a zoomed picture: the zoom in percent over the whole
// picture with the visible part framed; dragging the frame pans the view.
Rectangle {
    id: id_area
    objectName: "area_ir_thumbnail"
    width: 168
    height: 148
    color: ItemCommonClr.clrTitleBackground
    border.color: ItemCommonClr.clrBackground

    property real fZoom: 1.0
    readonly property alias wndThumbnail: id_thumbnail

    signal sig_zoom_reset()

    Rectangle {
        x: 1; y: 1
        width: parent.width - 2
        height: 20
        color: "black"
        Text {
            objectName: "text_thumbnail_zoom"
            anchors.centerIn: parent
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
            text: Math.ceil(id_area.fZoom * 100 - 1e-6) + "%"
        }
    }
    WndIRThumbnail {
        id: id_thumbnail
        objectName: "wnd_ir_thumbnail"
        x: 4; y: 24
        width: 160
        height: 120
    }
    Timer {
        interval: 100
        repeat: true
        running: id_area.visible
        onTriggered: if (id_thumbnail.update_ir_thumbnail()) id_area.sig_zoom_reset()
    }
}
