import QtQuick 2.15
import QtQuick.Dialogs 1.3

// Window-modal colour dialog without alpha channel, shared through the main
// window (id_dialog_color). On acceptance sig_change_color gives the calling
// item its colour. Qt's dialog is made on first use.
Item {
    id: id_color
    property var curItem: null
    // Qt's dialog, null until first shown.
    readonly property alias dialog: id_loader.item

    signal sig_change_color(var item, color clr)

    Loader {
        id: id_loader
        active: false
        sourceComponent: ColorDialog {
            modality: Qt.WindowModal
            showAlphaChannel: false
            onAccepted: {
                if (id_color.curItem !== null)
                    id_color.sig_change_color(id_color.curItem, color)
            }
        }
    }

    function show_color_dialog(item, clr) {
        curItem = item === undefined ? null : item
        id_loader.active = true
        id_loader.item.color = clr
        id_loader.item.open()
    }
}
