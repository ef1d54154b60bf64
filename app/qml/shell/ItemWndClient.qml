import QtQuick 2.15
import "../common"
import "../views"
import "../browse"
import "../rules"
import "../sources"

// Client area: the start page and the document windows, one per title-bar
// tab; exactly one of them is visible.
Rectangle {
    id: id_client
    objectName: "wnd_client"
    color: ItemCommonClr.clrClientBackground

    property var mainWindow: null
    // Page or window id currently shown: a negative start-page id or a
    // document window id.
    property int nCurId: ItemCommonDef.showWndPreviewFile
    // Document windows by window id.
    property var wnds: ({})

    // The document window of each kind.
    readonly property var wndFiles: ({ "1": "qrc:/qml/views/ItemWndIRImage.qml",
                                       "2": "qrc:/qml/views/ItemWndIRPlayer.qml",
                                       "3": "qrc:/qml/views/ItemWndIRNetDevice.qml" })
    // What the last open_wnd answered.
    property bool bLastOpenOk: false

    // Ask the title bar for the picture tab of the file's folder, or for a
    // player tab.
    signal sig_open_picture(string path, string folder)
    signal sig_open_player(string path, string folder)
    signal sig_open_net_device(string address, string sn, string mac)

    function folder_of(path) {
        var at = path.lastIndexOf("/")
        return at < 0 ? "" : path.substring(0, at)
    }
    property var components: ({})

    function component_of(type) {
        if (components[type] !== undefined)
            return components[type]
        var file = wndFiles[type]
        if (file === undefined)
            return null
        var component = Qt.createComponent(file)
        if (component.status === Component.Error) {
            console.log("ItemWndClient: " + component.errorString())
            component = null
        }
        components[type] = component
        return component
    }
    function create_wnd(index, index_type, type, path, folder) {
        var component = component_of(type)
        if (component === null)
            return
        var wnd = component.createObject(id_docs, { focus: true, mn_index: index, mn_index_type: index_type,
                                                    ms_name: path, visible: false })
        if (wnd !== null) {
            if (wnd.m_file_dialog !== undefined && mainWindow)
                wnd.m_file_dialog = mainWindow.dialogFile
            if (wnd.m_status_bar !== undefined && mainWindow)
                wnd.m_status_bar = mainWindow.statusBar
            wnd.anchors.fill = id_docs
            wnds[index] = wnd
            // A right click on an object of a recording or camera opens the
            // trend menu; a renamed object is renamed in its trend windows.
            if (wnd.wndIRShow && mainWindow && mainWindow.trendCharts) {
                var show = wnd.wndIRShow
                var trends = mainWindow.trendCharts
                show.sig_show_trend_chart_menu.connect(trends.popup)
                show.sig_update_ana_alias.connect(function() { trends.list.update_all_trend_ana_name(show.get_ir_handle()) })
            }
        }
    }
    function open_wnd(index, folder, path) {
        var wnd = wnds[index]
        bLastOpenOk = wnd && wnd.set_open_picture ? wnd.set_open_picture(folder, path) === true : false
    }
    function open_nd_wnd(index, sn, address, mac, camera_id) {
        var wnd = wnds[index]
        if (wnd && wnd.set_net_device && !wnd.set_net_device(sn, address, mac, camera_id) && mainWindow)
            mainWindow.show_message(qsTr("连接[%1]失败").arg(address))
    }
    function show_wnd(index) {
        nCurId = index
        for (var key in wnds)
            wnds[key].visible = (Number(key) === index)
        // A fixed page shows no document's line (the last tab may just
        // have closed).
        if (index < 0 && mainWindow && mainWindow.statusBar)
            mainWindow.statusBar.update_preview_file_info(null)
    }
    function close_wnd(index) {
        var wnd = wnds[index]
        if (wnd) {
            delete wnds[index]
            wnd.destroy()
        }
    }
    function wnd_count() { return Object.keys(wnds).length }
    // The document window shown, or null on a fixed page.
    function current_wnd() { return wnds[nCurId] === undefined ? null : wnds[nCurId] }

    Component.onDestruction: {
        for (var key in wnds)
            wnds[key].destroy()
        wnds = {}
    }

    ItemWndPreview {
        id: id_start_page
        objectName: "start_page"
        anchors.fill: parent
        visible: id_client.nCurId === ItemCommonDef.showWndPreviewFile
        onSig_open_pic: id_client.open_picture(path)
        onSig_open_video: id_client.sig_open_player(path, id_client.folder_of(path))
        onSig_message: if (id_client.mainWindow) id_client.mainWindow.show_message(text)
        onSig_show_report: id_client.show_report_wnd(records)
        onSig_file_info: if (id_client.mainWindow) id_client.mainWindow.statusBar.update_preview_file_info(record)
    }

    // The cameras page, made when first shown.
    Loader {
        id: id_camera_page
        anchors.fill: parent
        active: id_client.nCurId === ItemCommonDef.showWndPreviewCamera || item !== null
        visible: id_client.nCurId === ItemCommonDef.showWndPreviewCamera
        sourceComponent: ItemAreaDevicePreview {
            onSig_open_net_device: id_client.sig_open_net_device(address, sn, mac)
        }
    }

    // The report designer, in the editions that offer it, made when first shown.
    Loader {
        id: id_report_page
        objectName: "report_edit_page"
        anchors.fill: parent
        active: DataCommon.nSettingSoftwareVersion !== DataCommon.nSettingImageVersion && DataCommon.bIsEnableReportEdit
                && (id_client.nCurId === ItemCommonDef.showWndReprotEdit || item !== null)
        visible: id_client.nCurId === ItemCommonDef.showWndReprotEdit
        source: active ? "qrc:/qml/reports/ItemAreaReportEdit.qml" : ""
        onLoaded: item.mainWindow = id_client.mainWindow
    }

    // The detection rules, in the editions that offer them.
    Loader {
        id: id_rule_page
        objectName: "detect_rule_page"
        anchors.fill: parent
        active: DataCommon.nSettingSoftwareVersion !== DataCommon.nSettingImageVersion && DataCommon.bIsEnableDetectRule
        visible: id_client.nCurId === ItemCommonDef.showWndDetectRule
        sourceComponent: ItemPageDetectRule {
            m_file_dialog: id_client.mainWindow ? id_client.mainWindow.dialogFile : null
            m_wnd_rule_select: id_client.mainWindow ? id_client.mainWindow.ruleSelect : null
        }
    }

    Item {
        id: id_docs
        anchors.fill: parent
    }

    // Opens a picture file in the picture window and shows it; the start
    // page and the open dialog both come here. False when it cannot be
    // opened (the window then says so).
    function open_picture(str_path) {
        bLastOpenOk = false
        sig_open_picture(str_path, folder_of(str_path))
        return bLastOpenOk
    }
    // The shared file dialog, in the last folder used.
    readonly property int nOpenPicturePurpose: 100
    function show_open_picture_dialog() {
        if (mainWindow)
            mainWindow.dialogFile.show_open_image(id_client, nOpenPicturePurpose, "")
    }
    Connections {
        target: id_client.mainWindow ? id_client.mainWindow.dialogFile : null
        function onSig_accepted(item, purpose, urls) {
            if (item === id_client && purpose === id_client.nOpenPicturePurpose && urls.length > 0)
                id_client.open_picture(GlobalFunction.local_path_of_url(urls[0]))
        }
    }

    // The report window of the main window, with the start page's records.
    function show_report_wnd(records) {
        if (mainWindow)
            mainWindow.show_report_wnd(records)
    }

    Rectangle {
        objectName: "btn_open_picture"
        visible: id_client.nCurId === ItemCommonDef.showWndPreviewFile
        // At the right end of the thumbnails' header line.
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 4
        width: 120
        height: 22
        radius: 4
        color: ItemCommonClr.clrPress
        Text {
            objectName: "text_open_picture"
            anchors.centerIn: parent
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextButton
            text: qsTr("打开图片…")
        }
        MouseArea { anchors.fill: parent; onClicked: id_client.show_open_picture_dialog() }
    }
}
