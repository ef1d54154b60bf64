import QtQuick 2.15
import "../common"
import "../rules"

// Prints one report for the pictures selected on the start page: the user
// picks the document to write, watches the progress and opens the result.
ItemRuleDialogBox {
    id: id_wnd
    objectName: "wnd_report"
    property bool mb_start_processing: false
    property bool mb_enable_open: false
    // Records {"strPicPath", "strPicName"}.
    property var m_arr_report: []
    property int mn_btn_width: 80
    property int mn_btn_height: 30
    property var m_batching: null     // BatchingFile
    property var m_file_dialog: null  // ItemFileDialog
    readonly property alias log: id_log

    title: id_text.strReportPrint
    box_width: 580
    box_height: 460
    color: "#50000000"
    mb_can_close: !mb_start_processing

    function show_wnd(arr_pic) {
        id_log.clear()
        m_arr_report = arr_pic
        mb_start_processing = false
        mb_enable_open = false
        visible = true
    }
    function choose_report_file() {
        m_file_dialog.show_dialog(id_wnd, 0, DataConfig.str_report_save_path, id_text.strChooseReportFile,
                                  [m_file_dialog.filter(id_text.strReportFileFilter, "*.doc")], 0, false, false, false)
    }
    // The document chosen in the dialog, as its URL.
    function start_report(url, folder) {
        DataConfig.str_report_save_path = folder
        id_log.clear()
        mb_enable_open = false
        mb_start_processing = true
        m_batching.start_report(url, m_arr_report)
    }
    function end_text(n_status) {
        switch (n_status) {
        case 1: return id_text.strReportStopped
        case 2: return id_text.strTemplateWrong
        case 3: return id_text.strWordFailed
        case 4: return id_text.strTemplateFileFailed
        case 5: return id_text.strNoIrPicture
        case 6: return id_text.strReportSaveFailed
        default: return id_text.strReportDone
        }
    }
    onSig_close: visible = false

    ItemBatchText { id: id_text }

    Connections {
        target: id_wnd.m_batching
        enabled: id_wnd.mb_start_processing
        function onSig_report_init(n_total) { id_log.mn_maximum = n_total }
        function onSig_report_progress(n_pos) { id_log.mn_value = n_pos }
        function onSig_report_info(str_info) { id_log.insert_logo(str_info) }
        function onSig_report_end(n_status) {
            id_log.insert_logo(id_wnd.end_text(n_status))
            id_wnd.mb_enable_open = n_status === 0 || n_status > 6
            id_log.mn_value = id_log.mn_maximum
            id_wnd.mb_start_processing = false
        }
    }
    Connections {
        target: id_wnd.m_file_dialog
        function onSig_accepted(item, purpose, urls) {
            if (item === id_wnd && urls.length > 0)
                id_wnd.start_report(urls[0].toString(), id_wnd.m_file_dialog.folder.toString())
        }
    }

    ItemRuleJobLog {
        id: id_log
        objectName: "report_log"
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: id_buttons.top; bottomMargin: 10 }
    }
    ItemBatchButtons {
        id: id_buttons
        mn_btn_width: id_wnd.mn_btn_width
        mn_btn_height: id_wnd.mn_btn_height
        mButtons: [
            { name: "report_open", text: id_text.strOpenReport, enabled: !id_wnd.mb_start_processing && id_wnd.mb_enable_open },
            { name: "report_print", text: id_text.strReportPrint, enabled: !id_wnd.mb_start_processing },
            { name: "report_exit", text: id_text.strExit, enabled: !id_wnd.mb_start_processing }
        ]
        onSig_clicked: {
            if (name === "report_open")
                id_wnd.m_batching.open_report()
            else if (name === "report_print")
                id_wnd.choose_report_file()
            else
                id_wnd.visible = false
        }
    }
}
