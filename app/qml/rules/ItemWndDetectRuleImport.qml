import QtQuick 2.15
import "../common"
import "."

// Imports one rule package.
ItemRuleDialogBox {
    id: id_wnd
    objectName: "wnd_import_rule"
    property bool mb_start_processing: false
    property int mn_btn_width: 80
    property int mn_btn_height: 30
    property var m_job: null          // DetectRuleImportExport
    property var m_file_dialog: null  // ItemFileDialog

    signal sig_import_end()

    title: ItemRuleText.strImprotDetectRule
    box_width: 700
    box_height: 500
    mb_can_close: !mb_start_processing
    mb_whole_window: true

    function show_wnd() {
        visible = true
    }
    function insert_logo(str_info) {
        id_log.insert_logo(str_info)
    }
    // The package chosen in the file dialog, as its URL.
    function slot_package_chosen(url) {
        const folder = url.substring(0, url.lastIndexOf("/"))
        DataConfig.set_detect_rule_path(folder)
        id_log.clear()
        mb_start_processing = true
        m_job.start_import_detect_rules(url)
    }
    onSig_close: visible = false

    Connections {
        target: id_wnd.m_job
        function onSig_import_detect_rules_init(n_total) { id_log.mn_maximum = n_total }
        function onSig_import_detect_rules_progress(n_pos) { id_log.mn_value = n_pos }
        function onSig_import_detect_rules_info(str_info) { id_log.insert_logo(str_info) }
        function onSig_import_detect_rules_end(n_status) {
            const failed = n_status >= 1 && n_status <= 9
            id_log.insert_logo(failed ? ItemRuleText.lstEndStatus[n_status] : ItemRuleText.strImportDetectRuleSuccess)
            if (!failed) {
                id_wnd.sig_import_end()
            }
            id_wnd.mb_start_processing = false
        }
    }
    Connections {
        target: id_wnd.m_file_dialog
        function onSig_accepted(item, purpose, urls) {
            if (item === id_choose && urls.length > 0) {
                id_wnd.slot_package_chosen(urls[0].toString())
            }
        }
    }

    ItemRuleJobLog {
        id: id_log
        objectName: "import_log"
        anchors.fill: parent
    }
    ItemRuleButton {
        id: id_choose
        objectName: "import_choose"
        anchors { right: parent.right; top: parent.top }
        width: id_wnd.mn_btn_width
        height: id_wnd.mn_btn_height
        text: ItemRuleText.strChoice
        enabled: !id_wnd.mb_start_processing
        onClicked: id_wnd.m_file_dialog.show_import_rule_zip(id_choose, 0, DataConfig.get_detect_rule_path())
    }
}
