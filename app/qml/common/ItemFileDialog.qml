import QtQuick 2.15
import QtQuick.Dialogs 1.3
import "."

// The window-modal file dialog shared through the main window (id_dialog_file).
// Each show_* function takes the calling item, a purpose number (one of
// ItemCommonDef.fileDialog*, or the caller's own) and the start folder;
// on acceptance sig_accepted gives item and purpose back with the chosen
// file URLs. A call without a start folder starts in the folder of the last
// accepted choice, else in the start page's folder.
// Every call makes a new Qt dialog and destroys the one before: a dialog
// Qt has shown keeps its mode, file name and filters, so one purpose's
// dialog is never reused for another. Only the folder carries over.
Item {
    id: id_file
    property var curItem: null
    property int nPurpose: -1
    // The folder of the last accepted choice: the chosen file's folder, or
    // the chosen folder.
    property url folder: ""
    // The name filter chosen in the dialog (the preselected one until the
    // dialog is accepted).
    property string strSelectedFilter: ""
    // Qt's dialog of the current purpose; null when none is shown.
    property var dialog: null

    signal sig_accepted(var item, int purpose, var urls)

    Component {
        id: id_dialog_component
        FileDialog {
            id: id_qt_dialog
            modality: Qt.WindowModal
            onAccepted: id_file.accept(id_qt_dialog)
            onRejected: id_file.release(id_qt_dialog)
        }
    }

    function release(shown) {
        if (!shown) return
        if (dialog === shown) dialog = null
        shown.destroy()
    }
    function accept(shown) {
        var urls = []
        for (var i = 0; i < shown.fileUrls.length; ++i) urls.push(shown.fileUrls[i])
        var item = curItem
        var purpose = nPurpose
        strSelectedFilter = shown.selectedNameFilter
        if (urls.length > 0)
            folder = shown.selectFolder ? urls[0] : GlobalFunction.folder_of_url(urls[0])
        release(shown)
        sig_accepted(item, purpose, urls)
    }

    // A local folder as a file: URL, every name encoded ("#", "%", spaces).
    function folder_url(path) {
        if (path.indexOf("file:") === 0)
            return path
        return GlobalFunction.url_of_local_path(path)
    }
    function start_folder(folder_path) {
        if (folder_path !== undefined && folder_path !== null && folder_path.toString() !== "")
            return folder_path.toString()
        if (folder.toString() !== "")
            return folder.toString()
        return DataConfig.str_preview_path
    }
    // One filter: a translated description before its patterns.
    function filter(description, patterns) {
        return description + " (" + patterns + ")"
    }
    function show_dialog(item, purpose, folder_path, title, filters, selected, existing, multiple, pick_folder) {
        release(dialog)
        curItem = item
        nPurpose = purpose
        strSelectedFilter = filters.length > 0 ? filters[selected] : ""
        var shown = id_dialog_component.createObject(id_file)
        shown.title = title
        shown.selectExisting = existing
        shown.selectMultiple = multiple
        shown.selectFolder = pick_folder
        shown.nameFilters = filters
        shown.selectedNameFilter = strSelectedFilter
        var start = start_folder(folder_path)
        if (start !== "")
            shown.folder = folder_url(start)
        dialog = shown
        shown.open()
        // Qt's own dialog may restore the folder it last showed when it
        // opens, so the start folder is set again once it is open.
        if (start !== "")
            shown.folder = folder_url(start)
        // The file-name box starts empty; a save names its file with the
        // suffix of the filter chosen.
        GlobalFunction.prepare_file_dialog("")
    }

    readonly property var t: ItemCommonText
    function ir_filters() {
        return [filter(t.strFilterIrImage, "*.jpg"), filter(t.strFilterSgccImage, "*.jpg"), filter(t.strFilterIrImage, "*.png")]
    }

    function show_import_isotherm(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgImportIsotherm, [filter(t.strFilterIsotherm, "*.is")], 0, true, false, false)
    }
    function show_export_isotherm(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgExportIsotherm, [filter(t.strFilterIsotherm, "*.is")], 0, false, false, false)
    }
    function show_import_ana(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgImportAna, [filter(t.strFilterAna, "*.as")], 0, true, false, false)
    }
    function show_export_ana(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgExportAna, [filter(t.strFilterAna, "*.as")], 0, false, false, false)
    }
    function show_export_report(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgExportReport, [filter(t.strFilterWord, "*.doc")], 0, false, false, false)
    }
    function show_save_image(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgSaveImage, ir_filters(), 0, false, false, false)
    }
    function show_save_sgcc_image(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgSaveSgccImage, [filter(t.strFilterSgccImage, "*.jpg")], 0, false, false, false)
    }
    function open_save_video_dialog(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgSaveVideo,
                    [filter(t.strFilterIrVideo, "*.irv"), filter(t.strFilterH264, "*.H264"), filter(t.strFilterAvi, "*.avi")],
                    0, false, false, false)
    }
    function show_open_video(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgOpenVideo, [filter(t.strFilterIrVideo, "*.irv")], 0, true, true, false)
    }
    function show_import_rule_zip(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgImportRule, [filter(t.strFilterRuleZip, "*.zip")], 0, true, true, false)
    }
    function show_open_ir_image(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgOpenIrImage, [filter(t.strFilterIrImage, "*.jpg *.png")], 0, true, false, false)
    }
    function show_export_rule_zip_path(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgExportRulePath, [], 0, true, false, true)
    }
    function show_save_warn_path(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgWarnPath, [], 0, true, false, true)
    }
    function show_save_report_path(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgSaveReport,
                    [filter(t.strFilterWord, "*.doc"), filter(t.strFilterReportLayout, "*.xml"), filter(t.strFilterWordTemplate, "*.dot")],
                    0, false, false, false)
    }
    function show_open_report_path(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgOpenReport, [filter(t.strFilterReportLayout, "*.xml")], 0, true, false, false)
    }
    function show_open_report_template(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strRerpotTemplate, [filter(t.strRerpotTemplate, "*.xml *.dot")], 0, true, false, false)
    }
    function show_open_image(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgOpenImage, [filter(t.strFilterImage, "*.jpg *.png")], 0, true, false, false)
    }
    function show_open_multi_image(item, purpose, folder_path) {
        show_dialog(item, purpose, folder_path, t.strDlgOpenMultiImage, [filter(t.strFilterImage, "*.jpg *.png")], 0, true, true, false)
    }
}
