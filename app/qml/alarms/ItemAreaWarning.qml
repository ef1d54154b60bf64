import QtQuick 2.15
import QtQuick.Dialogs 1.3
import QtQuick.Window 2.15
import "../common"

// The alarm panel of an IR window: the conditions of the view's source with
// their met state, the buttons that add and clear them, and the folder that
// alarm snapshots go to.
Rectangle {
    id: id_area
    objectName: "area_warning"
    property var wndIRShow: null
    // Colours of the two degrees (1 alarm, 2 early warning).
    property color clrWarning1: DataConfig.get_warning_color(1)
    property color clrWarning2: DataConfig.get_warning_color(2)
    color: ItemCommonClr.clrBackground

    function rebuild_list() {
        id_model.clear()
        if (wndIRShow === null) return
        var info = wndIRShow.get_warning_condition_info()
        for (var i = 0; i < info.length; ++i) {
            id_model.append({"strFormula": info[i]["fault_formula"], "nDegree": info[i]["fault_id"],
                             "bWarning": info[i]["warning"]})
        }
    }
    function refresh_texts() {
        var formulas = wndIRShow.get_warning_condition()
        for (var i = 0; i < Math.min(formulas.length, id_model.count); ++i) id_model.setProperty(i, "strFormula", formulas[i])
    }
    function set_warnings(lst_condition) {
        for (var i = 0; i < id_model.count; ++i) id_model.setProperty(i, "bWarning", lst_condition.indexOf(i) >= 0)
    }
    function delete_row(n_index) {
        if (wndIRShow !== null && wndIRShow.delete_warning_condition(n_index)) id_model.remove(n_index)
    }
    function clear_list() {
        if (wndIRShow !== null) wndIRShow.clear_condition()
        id_model.clear()
    }
    // A detection rule chosen for this view: its objects, then its formulas.
    function load_detect_rule(n_id_rule, str_anas) {
        wndIRShow.load_detect_rule_anas(str_anas)
        wndIRShow.load_detect_rule_formula(n_id_rule)
        rebuild_list()
    }
    // The folder dialog's choice (a URL) becomes the snapshot folder.
    function set_snap_folder(url) {
        DataConfig.str_warn_save_path = url
        wndIRShow.set_warning_snap_path(url)
        id_snap_path.text = wndIRShow.get_warning_snap_path()
    }

    ListModel { id: id_model }

    // The main window holds the rule selection window; only a rule chosen
    // for this panel's button is loaded here.
    readonly property var mainWindow: Window.window
    Connections {
        target: id_area.mainWindow && id_area.mainWindow.ruleSelect !== undefined ? id_area.mainWindow.ruleSelect : null
        function onSig_set_rule(cur_item, n_id_rule, str_anas) {
            if (cur_item === id_btn_load_rule && id_area.wndIRShow !== null)
                id_area.load_detect_rule(n_id_rule, str_anas)
        }
    }

    Connections {
        target: id_area.wndIRShow
        function onSig_warning_condition(lst_condition) { id_area.set_warnings(lst_condition) }
        function onSig_update_ana_alias(b_delete) { if (b_delete) id_area.rebuild_list(); else id_area.refresh_texts() }
    }
    Connections {
        target: DataCommon
        function onSig_change_warning_color(n_type, clr) {
            if (n_type === 1) id_area.clrWarning1 = clr; else id_area.clrWarning2 = clr
        }
    }

    // The buttons follow the heading on its line while there is room, else
    // on the next line, so that the heading is always whole.
    Flow {
        id: id_title
        // Above the list, so the buttons' tips are not hidden by it.
        z: 1
        x: 10; y: 6
        width: parent.width - 20
        spacing: 4
        Text { width: Math.min(implicitWidth, id_title.width); height: 24; verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("报警信息") }
        ItemWarningButton { id: id_btn_load_rule; objectName: "btn_load_detect_rule"; visible: DataCommon.bIsEnableDetectRule
            strText: qsTr("关联诊断规则")
            onSig_clicked: if (id_area.mainWindow && id_area.mainWindow.show_rule_select && id_area.wndIRShow !== null)
                               id_area.mainWindow.show_rule_select(id_btn_load_rule) }
        ItemWarningButton { objectName: "btn_add_warning"; strText: "+"; strTip: qsTr("增加报警条件")
            onSig_clicked: { id_dialog.active = true; id_dialog.item.open_dialog() } }
        ItemWarningButton { objectName: "btn_clear_warning"; strText: qsTr("清空"); strTip: qsTr("清空报警条件列表")
            onSig_clicked: id_area.clear_list() }
    }

    ListView {
        id: id_list
        objectName: "list_warning"
        anchors { left: parent.left; right: parent.right; top: id_title.bottom; bottom: id_snap_row.top; margins: 10 }
        clip: true
        spacing: 4
        model: id_model
        delegate: ItemWarningListRow {
            objectName: "warning_row_" + index
            width: id_list.width
            nIndex: index
            nDegree: model.nDegree
            strFormula: model.strFormula
            bWarning: model.bWarning
            clrWarning: model.nDegree === 1 ? id_area.clrWarning1 : id_area.clrWarning2
            onSig_delete: id_area.delete_row(n_index)
        }
    }

    Row {
        id: id_snap_row
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 10 }
        height: 24
        spacing: 4
        Text { id: id_snap_label; anchors.verticalCenter: parent.verticalCenter; textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("抓拍路径: ") }
        Rectangle {
            width: id_snap_row.width - id_snap_label.width - id_snap_button.width - 2 * id_snap_row.spacing; height: 24
            color: ItemCommonClr.clrClientBackground
            border.color: ItemCommonClr.clrTextBroder
            Text { id: id_snap_path; objectName: "text_snap_path"; anchors.fill: parent; anchors.margins: 4; elide: Text.ElideLeft
                textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 12 }
        }
        ItemWarningButton { id: id_snap_button; objectName: "btn_snap_path"; strText: "..."
            onSig_clicked: if (DataConfig.n_sys_ver > 5) id_folder_dialog.active = true }
    }

    Loader {
        id: id_dialog
        active: false
        sourceComponent: ItemWndWarningCondition {
            wndIRShow: id_area.wndIRShow
            onSig_new_add_warning_condition_text: id_model.append({"strFormula": str_text, "nDegree": n_type, "bWarning": false})
            clrDegree1: id_area.clrWarning1
            clrDegree2: id_area.clrWarning2
        }
    }
    Loader {
        id: id_folder_dialog
        objectName: "dialog_warn_path"
        active: false
        sourceComponent: FileDialog {
            title: ItemCommonText.strDlgWarnPath
            selectFolder: true
            // Qt's dialog restores the folder it last showed when it opens.
            Component.onCompleted: { open(); if (DataConfig.str_warn_save_path !== "") folder = GlobalFunction.url_of_local_path(DataConfig.str_warn_save_path) }
            onAccepted: { id_area.set_snap_folder(fileUrl.toString()); id_folder_dialog.active = false }
            onRejected: id_folder_dialog.active = false
        }
    }
}
