import QtQuick 2.15
import QtQuick.Dialogs 1.3
import "."

// The window-modal file dialog shared through the main window. Each show_*
// function remembers the calling item and a purpose; on acceptance
// sig_accepted gives them back with the chosen file URLs. The dialog itself
// is made on first use: Qt's dialog module is slow to load and most runs never
// open it.
Item {
    id: id_file
    property var curItem: null
    property int nPurpose: -1
    // The folder of the last accepted choice.
    property url folder: ""

    signal sig_accepted(var item, int purpose, var urls)

    Loader {
        id: id_loader
        active: false
        sourceComponent: FileDialog {
            modality: Qt.WindowModal
            onAccepted: {
                id_file.folder = folder
                id_file.sig_accepted(id_file.curItem, id_file.nPurpose, fileUrls)
            }
        }
    }

    function show_dialog(item, purpose, folder_path, title, filters, existing, multiple, pick_folder) {
        curItem = item
        nPurpose = purpose
        id_loader.active = true
        var dialog = id_loader.item
        dialog.title = title
        dialog.nameFilters = filters
        dialog.selectExisting = existing
        dialog.selectMultiple = multiple
        dialog.selectFolder = pick_folder
        if (folder_path !== "")
            dialog.folder = folder_path.indexOf("file:") === 0 ? folder_path : "file://" + folder_path
        dialog.open()
    }
    function show_open_report_template(item, folder_path) {
        show_dialog(item, ItemCommonDef.fileDialogImportReport, folder_path, ItemCommonText.strRerpotTemplate,
                    [ItemCommonText.strRerpotTemplate + " (*.xml *.dot)"], true, false, false)
    }
}
