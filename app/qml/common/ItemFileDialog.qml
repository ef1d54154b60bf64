import QtQuick 2.15
import QtQuick.Dialogs 1.3

// The window-modal file dialog shared through the main window. Each show_*
// function remembers the calling item and a purpose; on acceptance
// sig_accepted gives them back with the chosen file URLs.
FileDialog {
    id: id_dialog
    property var curItem: null
    property int nPurpose: -1

    signal sig_accepted(var item, int purpose, var urls)

    modality: Qt.WindowModal
    onAccepted: sig_accepted(curItem, nPurpose, fileUrls)

    function show_dialog(item, purpose, folder_path, title, filters, existing, multiple, pick_folder) {
        curItem = item
        nPurpose = purpose
        id_dialog.title = title
        nameFilters = filters
        selectExisting = existing
        selectMultiple = multiple
        selectFolder = pick_folder
        if (folder_path !== "")
            folder = folder_path.indexOf("file:") === 0 ? folder_path : "file://" + folder_path
        open()
    }
    function show_open_report_template(item, folder_path) {
        show_dialog(item, ItemCommonDef.fileDialogImportReport, folder_path, ItemCommonText.strRerpotTemplate,
                    [ItemCommonText.strRerpotTemplate + " (*.xml *.dot)"], true, false, false)
    }
}
