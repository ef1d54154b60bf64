import QtQuick 2.15
import QtQuick.Window 2.15
import "common"
import "charts"
import "shell"
import "reports"
import "rules"
import VY.BatchingFile 1.0

// The program's one top-level window: frameless, with its own title bar,
// client area and status bar, and the dialogs the whole interface shares.
Window {
    id: id_main_window
    objectName: "main_window"
    visible: true
    width: 1084
    height: 700
    minimumWidth: 800
    minimumHeight: 600
    flags: Qt.Window | Qt.FramelessWindowHint
    color: ItemCommonClr.clrBackground
    title: DataCommon.strSettingSofwareName

    // 0 normal, 1 maximised by the program.
    property int nWndType: 0
    property int nLastWidth: 1000
    property int nLastHeight: 700
    property int nLastX: 0
    property int nLastY: 0
    // The shared file dialog, for pages of the client area.
    readonly property alias dialogFile: id_dialog_file
    // The shared colour dialog, for the property panels.
    readonly property alias dialogColor: id_dialog_color
    // The trend menu and windows, for the document windows' views.
    readonly property alias trendCharts: id_trend_charts
    // The status bar, for pages that clear or fill it.
    readonly property alias statusBar: id_status_bar
    // The rule selection window of the editions with detection rules, else
    // null; the alarm panels open it and take its sig_set_rule.
    readonly property var ruleSelect: id_rule_select.item ? id_rule_select.item.wnd : null

    signal sig_close_exe()

    Component.onCompleted: {
        nLastX = x
        nLastY = y
        show_maximized()
        sig_close_exe.connect(close_wnd)
        sig_close_exe.connect(id_trend_charts.list.destroy_all_trend_wnd)
        load_language_config()
    }

    function language_file(n) {
        switch (n) {
        case 0: return "language/PyravueCN.qm"
        case 2: return "language/PyravueHK.qm"
        case 3: return "language/PyravueRU.qm"
        case 4: return "language/PyravueHU.qm"
        default: return "language/PyravueEN.qm"
        }
    }
    function load_language_config() {
        HTranslator.load(language_file(DataConfig.n_language_type))
    }
    function set_language(n) {
        DataConfig.n_language_type = n
        load_language_config()
    }
    function move_window(dx, dy, pointer_x) {
        if (nWndType === 1) {
            // Leave the maximised state under the pointer, keeping its
            // relative place on the title bar.
            var shift = pointer_x - pointer_x * nLastWidth / width
            show_normal_size(x + shift, y)
        }
        x += dx
        y += dy
        nLastX = x
        nLastY = y
    }
    function show_normal_size(nx, ny) {
        nWndType = 0
        x = nx
        y = ny
        height = nLastHeight
        width = nLastWidth - 1
        width = nLastWidth
    }
    function show_normal() { show_normal_size(nLastX, nLastY) }
    function show_maximized() {
        var r = GlobalFunction.get_screen_rect(x, y, width, height)
        if (r.width > 0 && r.height > 0) {
            x = r.x
            y = r.y
            width = r.width
            height = r.height + 1
        }
        nWndType = 1
    }
    function show_fullscreen() {
        var r = GlobalFunction.get_screen_true_rect(x, y, width, height)
        if (r.width > 0 && r.height > 0) {
            x = r.x
            y = r.y
            width = r.width
            height = r.height + 1
        }
    }
    function toggle_maximized() {
        if (nWndType === 1)
            show_normal()
        else
            show_maximized()
    }
    function close_wnd() {
        id_wnd_about.visible = false
        id_wnd_setting.visible = false
        id_heart_timer.stop()
    }
    function close_exe() {
        sig_close_exe()
        close()
    }
    function show_message(text) {
        id_messge_box.show_message_box(text)
    }

    // Database keep-alive.
    Timer {
        id: id_heart_timer
        objectName: "heart_timer"
        interval: 10000
        repeat: true
        running: true
        onTriggered: GlobalFunction.set_mysql_heart()
    }

    ItemTitleBar {
        id: id_title_bar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        mainWindow: id_main_window
        onSig_create_wnd: id_wnd_client.create_wnd(index, index_type, type, path, folder)
        onSig_open_wnd: id_wnd_client.open_wnd(index, folder, path)
        onSig_open_nd_wnd: id_wnd_client.open_nd_wnd(index, sn, address, mac, camera_id)
        onSig_show_wnd: id_wnd_client.show_wnd(index)
        onSig_close_wnd: id_wnd_client.close_wnd(index)
        onSig_about: id_wnd_about.visible = true
        onSig_setting: id_wnd_setting.visible = true
    }

    ItemWndClient {
        id: id_wnd_client
        anchors { left: parent.left; right: parent.right; top: id_title_bar.bottom; bottom: id_status_bar.top }
        mainWindow: id_main_window
        onSig_open_picture: id_title_bar.open_picture_wnd(path, folder)
        onSig_open_player: id_title_bar.open_player_wnd(path, folder)
        onSig_open_net_device: id_title_bar.open_net_device_wnd(address, sn, mac)
    }

    ItemStatusBar {
        id: id_status_bar
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
    }

    // Resizing from the bottom-right corner, never below 800 x 600.
    MouseArea {
        objectName: "resize_corner"
        width: 20
        height: 20
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        cursorShape: Qt.SizeFDiagCursor
        property point pressPos
        onPressed: pressPos = Qt.point(mouse.x, mouse.y)
        onPositionChanged: {
            if (!pressed)
                return
            id_main_window.nWndType = 0
            id_main_window.width = Math.max(800, id_main_window.width + mouse.x - pressPos.x)
            id_main_window.height = Math.max(600, id_main_window.height + mouse.y - pressPos.y)
            id_main_window.nLastWidth = id_main_window.width
            id_main_window.nLastHeight = id_main_window.height
        }
    }

    ItemToolTip { id: toolTip }

    ItemMessageBox { id: id_messge_box; objectName: "message_box" }
    ItemMessageBox { id: id_messge_box2; objectName: "message_box2" }

    ItemFileDialog {
        id: id_dialog_file
        objectName: "file_dialog"
        onSig_accepted: {
            if (purpose === ItemCommonDef.fileDialogImportReport && item === id_wnd_setting) {
                DataConfig.str_report_save_path = id_dialog_file.folder.toString()
                var name = DataConfig.set_report_template(id_wnd_setting.nBrowsing, urls[0].toString())
                if (name !== "")
                    id_wnd_setting.set_template_name(id_wnd_setting.nBrowsing, name)
            }
        }
    }

    ItemColorDialog { id: id_dialog_color }

    // Trend windows, their menu and the pixel range dialog; document windows
    // call id_trend_charts.popup(...) from sig_show_trend_chart_menu.
    ItemTrendCharts { id: id_trend_charts; objectName: "trend_charts"; messageBox: id_messge_box }

    ItemWndAbout { id: id_wnd_about }

    // The rule selection window, over the whole window.
    Loader {
        id: id_rule_select
        anchors.fill: parent
        z: 50
        active: DataCommon.nSettingSoftwareVersion !== DataCommon.nSettingImageVersion && DataCommon.bIsEnableDetectRule
        sourceComponent: Item {
            readonly property alias wnd: id_wnd_rule_select
            ItemWndDetectRuleSelect {
                id: id_wnd_rule_select
                m_message: id_rule_select_message
            }
            ItemRuleMessage {
                id: id_rule_select_message
                objectName: "rule_select_message"
            }
        }
    }
    function show_rule_select(item) {
        if (ruleSelect)
            ruleSelect.show_setting(item)
    }

    // The batch report and batch analysis windows over their one worker item.
    BatchingFile { id: id_batching_file; objectName: "batching_file" }
    ItemWndReport {
        id: id_wnd_report
        m_batching: id_batching_file
        m_file_dialog: id_dialog_file
    }
    ItemWndBatchAna {
        id: id_wnd_batch_ana
        m_batching: id_batching_file
        m_file_dialog: id_dialog_file
        m_main_window: id_main_window
    }
    function show_report_wnd(records) { id_wnd_report.show_wnd(records) }
    function show_batch_ana_wnd(anas, path) { return id_wnd_batch_ana.show_wnd(anas, path) }

    ItemWndSetting {
        id: id_wnd_setting
        property int nBrowsing: 0
        onSig_browse_template: {
            nBrowsing = n
            id_dialog_file.show_open_report_template(id_wnd_setting, ItemCommonDef.fileDialogImportReport,
                                                     DataConfig.str_report_save_path)
        }
        onSig_language: id_main_window.set_language(n_language)
    }

    // The help menu, made when first asked for (the window does not place
    // it): popup_help_menu() shows it.
    Loader {
        id: id_menu_help
        active: false
        sourceComponent: ItemMenuHelp {
            onSig_language: id_main_window.set_language(n_language)
            onSig_about: id_wnd_about.visible = true
        }
    }
    function popup_help_menu() {
        id_menu_help.active = true
        id_menu_help.item.popup()
    }
}
