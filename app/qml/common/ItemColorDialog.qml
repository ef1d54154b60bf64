import QtQuick 2.15
import QtQuick.Dialogs 1.3

// Window-modal colour dialog without alpha channel, shared through the main
// window. On acceptance sig_change_color gives the calling item its colour.
ColorDialog {
    id: id_dialog
    property var curItem: null

    signal sig_change_color(var item, color clr)

    modality: Qt.WindowModal
    showAlphaChannel: false
    onAccepted: {
        if (curItem !== null)
            sig_change_color(curItem, id_dialog.color)
    }

    function show_color_dialog(item, clr) {
        curItem = item
        id_dialog.color = clr
        open()
    }
}
