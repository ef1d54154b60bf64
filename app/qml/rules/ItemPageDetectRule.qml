import QtQuick 2.15
import VY.DetectRuleImportExport 1.0
import "../common"
import "."

// The detection-rule page of the main window: the management area with its
// dialogs and the exchange job with its windows. The main window passes its
// shared file dialog and its rule selection window, whose tree follows the
// page's changes.
Item {
    id: id_page
    objectName: "page_detect_rule"
    property var m_file_dialog: null
    readonly property alias area: id_area
    property var m_wnd_rule_select: null
    readonly property alias job: id_detect_rule_import_export

    DetectRuleImportExport {
        id: id_detect_rule_import_export
        objectName: "detect_rule_import_export"
    }
    ItemAreaDetectRule {
        id: id_area
        anchors.fill: parent
        m_message: id_message
        m_wnd_add_rule: id_wnd_add_detect_rule
        m_wnd_edit_formula: id_wnd_edit_formula
        m_wnd_import: id_wnd_import_rule
        m_wnd_export: id_wnd_export_rule
        m_file_dialog: id_page.m_file_dialog
        onSig_rules_deleted: id_page.update_rule_select()
    }
    ItemWndAddDetectRule {
        id: id_wnd_add_detect_rule
        onSig_insert_detect_rule: {
            id_area.tree.slot_insert_detect_rule(n_id, n_sub_type, s_dev_type, s_dev_vol, s_dev_part, s_dev_shape)
            if (id_page.m_wnd_rule_select)
                id_page.m_wnd_rule_select.slot_insert_detect_rule(n_id, n_sub_type, s_dev_type, s_dev_vol, s_dev_part,
                                                                  s_dev_shape)
        }
    }
    ItemWndEditFormula {
        id: id_wnd_edit_formula
        onSig_add_formula: id_area.append_formula(n_id_formula, n_id_fault, s_degree, s_formula, s_des, s_fault,
                                                  s_thermal, s_handing)
        onSig_change_formula: id_area.change_formula(n_id_formula, n_id_fault, s_degree, s_formula, s_des, s_fault,
                                                     s_thermal, s_handing)
    }
    ItemWndDetectRuleExport {
        id: id_wnd_export_rule
        m_job: id_detect_rule_import_export
        m_file_dialog: id_page.m_file_dialog
    }
    ItemWndDetectRuleImport {
        id: id_wnd_import_rule
        m_job: id_detect_rule_import_export
        m_file_dialog: id_page.m_file_dialog
        onSig_import_end: {
            id_area.slot_import_end()
            id_page.update_rule_select()
        }
    }
    ItemRuleMessage {
        id: id_message
    }
    function update_rule_select() {
        if (m_wnd_rule_select)
            m_wnd_rule_select.update_tree()
    }
}
