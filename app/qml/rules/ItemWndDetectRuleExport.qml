import QtQuick 2.15
import "../common"
import "."

// Exports the rules of the chosen substation types into packages.
ItemRuleDialogBox {
    id: id_wnd
    objectName: "wnd_export_rule"
    property bool mb_start_processing: false
    property int mn_btn_width: 80
    property int mn_btn_height: 30
    property var m_job: null          // DetectRuleImportExport
    property var m_file_dialog: null  // ItemFileDialog
    readonly property bool mb_any_type: id_station.checked || id_transmission.checked || id_distribution.checked

    title: ItemRuleText.strExportDetectRule
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
    // The folder chosen in the file dialog, as its URL.
    function slot_folder_chosen(url) {
        DataConfig.set_detect_rule_path(url)
        id_log.clear()
        mb_start_processing = true
        m_job.start_export_detect_rules(url, id_station.checked, id_transmission.checked, id_distribution.checked)
    }
    onSig_close: visible = false

    Connections {
        target: id_wnd.m_job
        function onSig_export_detect_rules_init(n_total) { id_log.mn_maximum = n_total }
        function onSig_export_detect_rules_progress(n_pos) { id_log.mn_value = n_pos }
        function onSig_export_detect_rules_info(str_info) { id_log.insert_logo(str_info) }
        function onSig_export_detect_rules_end(n_status) {
            id_log.insert_logo(n_status >= 1 && n_status <= 9 ? ItemRuleText.lstEndStatus[n_status]
                                                               : ItemRuleText.strExportDetectRuleSuccess)
            id_wnd.mb_start_processing = false
        }
    }
    Connections {
        target: id_wnd.m_file_dialog
        function onSig_accepted(item, purpose, urls) {
            if (item === id_export && urls.length > 0) {
                id_wnd.slot_folder_chosen(urls[0].toString())
            }
        }
    }

    Text {
        id: id_heading
        objectName: "export_heading"
        height: 24
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        text: ItemRuleText.strChoiceExportRuleType + (id_wnd.mb_any_type ? "" : " - " + ItemRuleText.strChoiceExportRuleTypeNull)
    }
    Row {
        id: id_types
        anchors.top: id_heading.bottom
        spacing: 10
        ItemRuleButton { id: id_station; objectName: "export_station"; text: ItemRuleText.strStation; width: id_wnd.mn_btn_width; height: id_wnd.mn_btn_height; checkable: true; checked: true; enabled: !id_wnd.mb_start_processing }
        ItemRuleButton { id: id_transmission; objectName: "export_transmission"; text: ItemRuleText.strTranslation; width: id_wnd.mn_btn_width; height: id_wnd.mn_btn_height; checkable: true; checked: true; enabled: !id_wnd.mb_start_processing }
        ItemRuleButton { id: id_distribution; objectName: "export_distribution"; text: ItemRuleText.strDistribution; width: id_wnd.mn_btn_width; height: id_wnd.mn_btn_height; checkable: true; checked: true; enabled: !id_wnd.mb_start_processing }
    }
    ItemRuleJobLog {
        id: id_log
        objectName: "export_log"
        anchors { left: parent.left; right: parent.right; top: id_types.bottom; bottom: parent.bottom; topMargin: 10 }
        mb_bar_below: true
    }
    ItemRuleButton {
        id: id_export
        objectName: "export_start"
        anchors { right: parent.right; bottom: parent.bottom }
        width: id_wnd.mn_btn_width
        height: id_wnd.mn_btn_height
        text: ItemRuleText.strExport
        enabled: !id_wnd.mb_start_processing && id_wnd.mb_any_type
        onClicked: id_wnd.m_file_dialog.show_export_rule_zip_path(id_export, 0, DataConfig.get_detect_rule_path())
    }
}
