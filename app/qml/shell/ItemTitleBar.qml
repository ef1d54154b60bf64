import QtQuick 2.15
import VY.ModelIRInfo 1.0
import "../common"

// Title bar: the fixed page buttons, a tab per document window, the window
// buttons and the software name. Dragging moves the window, a double click
// maximises or restores it.
Rectangle {
    id: id_title
    objectName: "title_bar"
    property var mainWindow: null
    property int nCurId: ItemCommonDef.showWndPreviewFile
    // Running counts: every window ever opened, and per kind.
    property int nWndCount: 0
    property int nImageCount: 0
    property int nPlayerCount: 0
    property int nNetDeviceCount: 0
    readonly property int nLanguage: DataConfig.n_language_type

    signal sig_create_wnd(int index, int index_type, int type, string path, string folder)
    signal sig_open_wnd(int index, string folder, string path)
    signal sig_open_nd_wnd(int index, string sn, string address, string mac, int camera_id)
    signal sig_show_wnd(int index)
    signal sig_close_wnd(int index)
    signal sig_about()
    signal sig_setting()

    height: 54
    color: ItemCommonClr.clrTitleBackground

    ListModel { id: id_tabs }

    function tab_name(type, index_type, path) {
        if (type === ItemCommonDef.wndFunctionImage)
            return ItemCommonText.strTextPictureAnalysis + index_type
        if (type === ItemCommonDef.wndFunctionPlayer)
            return ItemCommonText.strTextVideoAnalysis + index_type
        return path
    }
    function folder_of(path) {
        var at = path.lastIndexOf("/")
        return at < 0 ? "" : path.substring(0, at)
    }
    function insert_tab_sheet(type, index_type, wnd_path, name, file_path) {
        nWndCount += 1
        id_tabs.append({ IndexWnd: nWndCount, IndexTypeWnd: index_type, WndPath: wnd_path,
                         WndName: name, WndType: type })
        sig_create_wnd(nWndCount, index_type, type, file_path, wnd_path)
        return id_tabs.count - 1
    }
    function open_picture_wnd(file_path, folder) {
        for (var i = 0; i < id_tabs.count; ++i) {
            var tab = id_tabs.get(i)
            if (tab.WndType === ItemCommonDef.wndFunctionImage && tab.WndPath === folder) {
                set_cur_tab_sheet(i)
                sig_open_wnd(tab.IndexWnd, folder, file_path)
                return
            }
        }
        nImageCount += 1
        var at = insert_tab_sheet(ItemCommonDef.wndFunctionImage, nImageCount, folder,
                                  tab_name(ItemCommonDef.wndFunctionImage, nImageCount, ""), file_path)
        set_cur_tab_sheet(at)
        sig_open_wnd(id_tabs.get(at).IndexWnd, folder, file_path)
    }
    function open_player_wnd(file_path, folder) {
        nPlayerCount += 1
        var at = insert_tab_sheet(ItemCommonDef.wndFunctionPlayer, nPlayerCount, folder,
                                  tab_name(ItemCommonDef.wndFunctionPlayer, nPlayerCount, ""), file_path)
        set_cur_tab_sheet(at)
        sig_open_wnd(id_tabs.get(at).IndexWnd, folder, file_path)
    }
    function open_net_device_wnd(address, sn, mac) {
        for (var i = 0; i < id_tabs.count; ++i) {
            if (id_tabs.get(i).WndType === ItemCommonDef.wndFunctionNetDevice && id_tabs.get(i).WndPath === sn) {
                set_cur_tab_sheet(i)
                return
            }
        }
        var camera_id = id_model_ir_info.connect_net_device(address)
        if (camera_id === 0) {
            mainWindow.show_message(ItemCommonText.strTextConnectFailed.arg(address))
            return
        }
        var at = insert_tab_sheet(ItemCommonDef.wndFunctionNetDevice, 0, sn, address, address)
        set_cur_tab_sheet(at)
        sig_open_nd_wnd(id_tabs.get(at).IndexWnd, sn, address, mac, camera_id)
        // A stream that no window took is let go.
        id_model_ir_info.release_net_device(camera_id)
    }

    ModelIRInfo { id: id_model_ir_info }
    function remove_tab_sheet(at) {
        if (at < 0 || at >= id_tabs.count)
            return
        var closed = id_tabs.get(at).IndexWnd
        var was_current = closed === nCurId
        sig_close_wnd(closed)
        id_tabs.remove(at)
        if (was_current) {
            set_cur_tab_sheet(at)
        } else {
            show_id(nCurId)
        }
    }
    function set_cur_tab_sheet(at) {
        if (id_tabs.count === 0) {
            show_id(ItemCommonDef.showWndPreviewFile)
            return
        }
        if (at >= id_tabs.count)
            at = id_tabs.count - 1
        show_id(id_tabs.get(at).IndexWnd)
    }
    function show_id(index) {
        nCurId = index
        sig_show_wnd(index)
    }
    function tab_count() { return id_tabs.count }
    function rename_tabs() {
        for (var i = 0; i < id_tabs.count; ++i) {
            var tab = id_tabs.get(i)
            if (tab.WndType !== ItemCommonDef.wndFunctionNetDevice)
                id_tabs.setProperty(i, "WndName", tab_name(tab.WndType, tab.IndexTypeWnd, tab.WndPath))
        }
    }

    Connections {
        target: HTranslator
        function onSig_language_changed() { id_title.rename_tabs() }
    }

    MouseArea {
        id: id_drag
        anchors.fill: parent
        property point pressPos
        onPressed: pressPos = Qt.point(mouse.x, mouse.y)
        onPositionChanged: {
            if (!pressed)
                return
            var window = id_title.mainWindow
            var restoring = window.nWndType === 1
            var ratio = window.nLastWidth / window.width
            window.move_window(mouse.x - pressPos.x, mouse.y - pressPos.y, pressPos.x)
            // The restored window keeps the pointer's relative place, and
            // so does the point pressed.
            if (restoring)
                pressPos = Qt.point(pressPos.x * ratio, pressPos.y)
        }
        onDoubleClicked: id_title.mainWindow.toggle_maximized()
    }

    Image {
        id: id_logo
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 32
        height: 32
        sourceSize: Qt.size(32, 32)
        source: DataCommon.strSettingSofwareIco
    }

    Row {
        id: id_pages
        anchors.left: id_logo.right
        anchors.leftMargin: 12
        anchors.bottom: parent.bottom
        spacing: 2
        ItemCustomBtnTitle {
            objectName: "page_file_preview"
            width: Math.max(id_title.nLanguage === 3 ? 130 : 80, nTextWidth + 16)
            ms_text: ItemCommonText.strTextFilePreview
            checked: id_title.nCurId === ItemCommonDef.showWndPreviewFile
            onSig_on_click: id_title.show_id(ItemCommonDef.showWndPreviewFile)
        }
        ItemCustomBtnTitle {
            objectName: "page_camera"
            width: Math.max(80, nTextWidth + 16)
            visible: DataCommon.nSettingSoftwareVersion === DataCommon.nSettingResearchVersion
            ms_text: ItemCommonText.strTextCamera
            checked: id_title.nCurId === ItemCommonDef.showWndPreviewCamera
            onSig_on_click: id_title.show_id(ItemCommonDef.showWndPreviewCamera)
        }
        ItemCustomBtnTitle {
            objectName: "page_report_edit"
            width: Math.max(id_title.nLanguage === 3 ? 130 : 80, nTextWidth + 16)
            visible: DataCommon.nSettingSoftwareVersion !== DataCommon.nSettingImageVersion && DataCommon.bIsEnableReportEdit
            ms_text: ItemCommonText.strReportEdit
            checked: id_title.nCurId === ItemCommonDef.showWndReprotEdit
            onSig_on_click: id_title.show_id(ItemCommonDef.showWndReprotEdit)
        }
        ItemCustomBtnTitle {
            objectName: "page_detect_rule"
            width: Math.max(80, nTextWidth + 16)
            visible: DataCommon.nSettingSoftwareVersion !== DataCommon.nSettingImageVersion && DataCommon.bIsEnableDetectRule
            ms_text: ItemCommonText.strDetectRuleSetting
            checked: id_title.nCurId === ItemCommonDef.showWndDetectRule
            onSig_on_click: id_title.show_id(ItemCommonDef.showWndDetectRule)
        }
        Repeater {
            model: id_tabs
            ItemCustomBtnTitle {
                objectName: "doc_tab_" + index
                width: 80
                bClosable: true
                ms_text: WndName
                checked: id_title.nCurId === IndexWnd
                onSig_on_click: id_title.set_cur_tab_sheet(index)
                onSig_on_close: id_title.remove_tab_sheet(index)
            }
        }
    }

    Row {
        id: id_buttons
        anchors.right: parent.right
        anchors.rightMargin: 1
        anchors.top: parent.top
        anchors.topMargin: 1
        layoutDirection: Qt.RightToLeft
        ItemCustomBtnIcon {
            objectName: "btn_close"
            strIconPath: "qrc:/images/title/btn_close.svg"
            clrHover: "#C0392B"
            onSig_btn_click: id_title.mainWindow.close_exe()
        }
        ItemCustomBtnIcon {
            objectName: "btn_max"
            strIconPath: id_title.mainWindow && id_title.mainWindow.nWndType === 1
                         ? "qrc:/images/title/btn_restore.svg" : "qrc:/images/title/btn_max.svg"
            onSig_btn_click: id_title.mainWindow.toggle_maximized()
        }
        ItemCustomBtnIcon {
            objectName: "btn_min"
            strIconPath: "qrc:/images/title/btn_min.svg"
            onSig_btn_click: id_title.mainWindow.showMinimized()
        }
        ItemCustomBtnIcon {
            objectName: "btn_about"
            strIconPath: "qrc:/images/title/btn_about.svg"
            onSig_btn_click: id_title.sig_about()
        }
        ItemCustomBtnIcon {
            objectName: "btn_setting"
            width: id_title.nLanguage === 3 ? 200 : (id_title.nLanguage === 4 ? 70 : 50)
            strIconPath: "qrc:/images/title/btn_setting.svg"
            onSig_btn_click: id_title.sig_setting()
        }
    }

    // The software name takes the room the tabs leave, eliding on a narrow
    // window.
    ItemElidedText {
        objectName: "software_name"
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 6
        width: Math.max(0, Math.min(implicitWidth, parent.width - 10 - (id_pages.x + id_pages.width + 16)))
        visible: width >= 24
        text: DataCommon.strSettingSofwareName
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
    }
}
