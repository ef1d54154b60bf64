import QtQuick 2.15
import QtQuick.Window 2.15
import VY.ModelIRInfo 1.0
import "../common"
import "../alarms"

// The window of one opened picture folder: control bar, the IR view with
// its analysis toolbar, the thumbnail strip of the folder's pictures, and
// the property column.
FocusScope {
    id: id_wnd
    objectName: "wnd_ir_image"
    property int mn_wnd_type: ItemCommonDef.wndFunctionImage
    // Window id, number among the picture windows, and folder of its tab.
    property int mn_index: 0
    property int mn_index_type: 0
    property string ms_name: ""
    readonly property alias wndIRShow: id_area_ir.wndIRShow
    property string strTip: ""
    // The main window's shared file dialog (ItemFileDialog).
    property var m_file_dialog: null
    readonly property int nReportDialog: 100
    // Status-bar information of the current picture.
    property var m_cur_image_info: ({})
    // What the last opening from the strip answered.
    property bool bLastOpenOk: false

    signal sig_picture_opened(string str_path)

    // Shows the folder in the strip and opens the file.
    function set_open_picture(str_folder, str_file) {
        bLastOpenOk = false
        // The open dialog hands in file: URLs; the strip lists local paths.
        if (str_file.indexOf("file:") === 0) {
            str_file = GlobalFunction.local_path_of_url(str_file)
            str_folder = str_file.substring(0, str_file.lastIndexOf("/"))
        }
        id_pic_list.set_preview_path(str_folder, str_file)
        return bLastOpenOk
    }
    // A picture chosen in the strip: n_index of n_total. A picture that does
    // not open leaves the strip on the picture still shown.
    function open_picture(str_path, n_total, n_index) {
        bLastOpenOk = open_file(str_path)
        if (bLastOpenOk) update_pic_text(n_total, n_index)
        else id_pic_list.select_shown(wndIRShow.get_file_path())
        return bLastOpenOk
    }
    function update_pic_text(n_total, n_index) {
        var path = wndIRShow.get_file_path()
        id_ctrl.strPicText = (n_index + 1) + " / " + n_total + " - " + path.substring(path.lastIndexOf("/") + 1)
    }
    readonly property var statusKeys: ["strSettingResolution", "strSettingMac", "strSettingLenSN", "strSettingLenType",
                                       "strSettingTempRange", "strSettingSnapTime", "strSettingChangeTime"]
    // Keys without a value show as not known.
    function update_cur_image_info(json) {
        var info = {"nFileType": 1}
        for (var i = 0; i < statusKeys.length; ++i)
            if (json[statusKeys[i]] !== undefined && json[statusKeys[i]] !== "") info[statusKeys[i]] = json[statusKeys[i]]
        m_cur_image_info = info
        report_image_info()
    }
    function report_image_info() {
        var main = Window.window
        if (visible && main && main.statusBar && m_cur_image_info.nFileType !== undefined)
            main.statusBar.update_ir_wnd_image_info(m_cur_image_info)
    }
    onVisibleChanged: report_image_info()
    ModelIRInfo { id: id_ir_info }
    // The status bar follows the picture as it is now (after a rotation or
    // a save too).
    function refresh_image_info() {
        update_cur_image_info(wndIRShow.is_show_normal_image() ? id_ir_info.get_ir_image_info(wndIRShow.get_file_path())
                                                               : wndIRShow.get_ir_property())
    }
    // A passing note over the view (an operation that succeeded).
    property string strNote: ""
    function show_note(str_text) {
        strNote = str_text
        id_note_timer.restart()
    }

    function open_file(str_path) {
        if (!id_area_ir.open_file(str_path)) {
            strTip = qsTr("打开图片失败！")
            return false
        }
        strTip = ""
        var normal = wndIRShow.is_show_normal_image()
        id_ctrl.bNormalImage = normal
        // A picture without temperatures has no tools.
        if (normal) id_tools.close_all()
        id_area_ir.toolbar.bBatchAna = !normal
        var path = wndIRShow.get_file_path()
        id_property.update_ir_property()
        refresh_image_info()
        id_keys.forceActiveFocus()
        sig_picture_opened(path)
        return true
    }
    function save() {
        var ok = wndIRShow.save_image_to_file()
        strTip = ok ? "" : qsTr("保存图片失败")
        if (ok) {
            id_pic_list.update_picture_show()
            refresh_image_info()
        }
        return ok
    }
    function save_picture_as(str_path, b_sgcc) {
        var ok = b_sgcc ? wndIRShow.save_as_sgcc_image_to_file(str_path) : wndIRShow.save_as_image_to_file(str_path)
        strTip = ok ? "" : (b_sgcc ? qsTr("保存国网图片失败！") : qsTr("保存红外图片失败！"))
        if (ok) {
            // The copy may have joined the folder: the count follows.
            id_pic_list.update_ir_picture_list()
            update_pic_text(id_pic_list.mn_preview_count, id_pic_list.nCurIndex)
        }
        return ok
    }
    // The save dialog starts in the picture save path; SGCC pictures are
    // saved only as SGCC pictures.
    function show_save_dialog() {
        if (!m_file_dialog) return
        if (wndIRShow.is_sgcc_image()) m_file_dialog.show_save_sgcc_image(id_wnd, ItemCommonDef.fileDialogSaveImage, DataConfig.str_image_save_path)
        else m_file_dialog.show_save_image(id_wnd, ItemCommonDef.fileDialogSaveImage, DataConfig.str_image_save_path)
    }
    function show_ana_dialog(b_import) {
        if (!m_file_dialog) return
        if (b_import) m_file_dialog.show_import_ana(id_wnd, ItemCommonDef.fileDialogImportAna, DataConfig.str_ana_path)
        else m_file_dialog.show_export_ana(id_wnd, ItemCommonDef.fileDialogExportAna, DataConfig.str_ana_path)
    }
    function choose_report_file() {
        if (!m_file_dialog) return false
        m_file_dialog.show_dialog(id_wnd, nReportDialog, DataConfig.str_report_save_path, ItemCommonText.strDlgExportReport,
                                  [m_file_dialog.filter(qsTr("报告文件"), "*.doc")], 0, false, false, false)
        return true
    }
    // Writes the picture's report to the chosen document (a file URL) and
    // offers to open it, or says what failed.
    function export_report(str_url) {
        var result = wndIRShow.print_report(str_url)
        switch (result) {
        case 0: id_report_message.show_choose_box(id_wnd, qsTr("是否打开报告？")); break
        case 1: id_report_message.show_message_box(qsTr("报告打印失败！！")); break
        case 2: id_report_message.show_message_box(qsTr("打开word失败！")); break
        case 3: id_report_message.show_message_box(qsTr("报告模板添加失败！")); break
        case 4: id_report_message.show_message_box(qsTr("报告插入图片失败！")); break
        case 5:
            id_report_message.show_message_box_width(qsTr("不能保存到本次操作正在读取的文件：%1")
                                                     .arg(GlobalFunction.local_path_of_url(str_url)), 420, 200)
            break
        default: id_report_message.show_message_box(qsTr("报告打印失败！")); break
        }
        return result
    }
    Connections {
        target: id_wnd.m_file_dialog
        function onSig_accepted(item, purpose, urls) {
            if (item !== id_wnd || urls.length === 0) return
            if (purpose === id_wnd.nReportDialog) {
                DataConfig.str_report_save_path = id_wnd.m_file_dialog.folder.toString()
                id_wnd.export_report(urls[0].toString())
                return
            }
            var folder = GlobalFunction.local_path_of_url(id_wnd.m_file_dialog.folder)
            var url = urls[0].toString()
            if (purpose === ItemCommonDef.fileDialogSaveImage) {
                DataConfig.str_image_save_path = folder
                var sgcc_filter = ItemCommonText.strFilterSgccImage + " (*.jpg)"
                id_wnd.save_picture_as(url, wndIRShow.is_sgcc_image() || id_wnd.m_file_dialog.strSelectedFilter === sgcc_filter)
            } else if (purpose === ItemCommonDef.fileDialogImportAna || purpose === ItemCommonDef.fileDialogExportAna) {
                DataConfig.str_ana_path = folder
                var b_import = purpose === ItemCommonDef.fileDialogImportAna
                var ok = b_import ? wndIRShow.load_ana_info_from_file(url) : wndIRShow.save_ana_info_to_file(url)
                id_wnd.strTip = ok ? "" : (b_import ? qsTr("导入分析文件失败！") : qsTr("导出分析文件失败！"))
                if (ok) id_wnd.show_note(b_import ? qsTr("导入分析文件成功！") : qsTr("导出分析文件成功！"))
                if (ok && b_import) id_property.update_ana_temp_info()
            }
        }
    }
    ItemMessageBox {
        id: id_report_message
        objectName: "message_box_report"
        onSig_return: if (result === 1 && type === 1) id_wnd.wndIRShow.open_report()
    }

    function rotate(b_clockwise) {
        wndIRShow.rorate_90_degrees(b_clockwise)
        id_property.update_ir_property()
        refresh_image_info()
    }

    Keys.onPressed: {
        if ((event.modifiers & Qt.ControlModifier) && event.key === Qt.Key_C) {
            wndIRShow.copy_image_to_clipboard()
            event.accepted = true
        } else if ((event.modifiers & Qt.ControlModifier) && event.key === Qt.Key_S) {
            if (!wndIRShow.is_show_normal_image()) save()
            event.accepted = true
        } else if (!(event.modifiers & Qt.ControlModifier) && event.key >= Qt.Key_Left
                   && event.key <= Qt.Key_Down && id_area_ir.nCurAna !== 0) {
            wndIRShow.move_ana_position(event.key)
            event.accepted = true
        } else if (!(event.modifiers & Qt.ControlModifier) && (event.key === Qt.Key_Left || event.key === Qt.Key_Right)) {
            if (event.key === Qt.Key_Left) id_pic_list.check_previous_picture(); else id_pic_list.check_next_picture()
            event.accepted = true
        }
    }

    // Holds the focus while no field is edited, so that the page's keys
    // reach its handler after a button or a picture was used.
    Item { id: id_keys; focus: true }

    ItemListIRPicCtrl {
        id: id_ctrl
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 40
        onSig_press_btn: {
            switch (n_id) {
            case ItemCommonDef.idBtnWndZoomRestore: id_area_ir.zoom_restore(); break
            case ItemCommonDef.idBtnWndZoomIn: id_area_ir.zoom_in(); break
            case ItemCommonDef.idBtnWndZoomOut: id_area_ir.zoom_out(); break
            case ItemCommonDef.idBtnRotateLeft90: id_wnd.rotate(false); break
            case ItemCommonDef.idBtnRotateRight90: id_wnd.rotate(true); break
            case ItemCommonDef.idBtnSave: id_wnd.save(); break
            case ItemCommonDef.idBtnSaveTo: id_wnd.show_save_dialog(); break
            case ItemCommonDef.idBtnPicPrevious: id_pic_list.check_previous_picture(); break
            case ItemCommonDef.idBtnPicNext: id_pic_list.check_next_picture(); break
            case ItemCommonDef.idBtnReport: id_wnd.choose_report_file(); break
            }
            id_keys.forceActiveFocus()
        }
    }

    ItemAreaIRShow {
        id: id_area_ir
        anchors { left: parent.left; right: id_property.left; top: id_ctrl.bottom; bottom: id_tools.top }
        onSig_update_cur_ana: { id_property.nCurAna = n_cur_ana; id_keys.forceActiveFocus() }
        onSig_tool_btn: id_wnd.press_tool(n_id, b_checked)
        Component.onCompleted: { toolbar.bBatchAna = true; toolbar.bAnaFile = true }
    }

    // A plain picture has no temperatures: its analysis toolbar is covered.
    ItemCoverPlainImage {
        objectName: "cover_plain_toolbar"
        x: id_area_ir.x; y: id_area_ir.y
        width: id_area_ir.width; height: id_area_ir.nToolbarHeight
        visible: id_ctrl.bNormalImage
    }

    ItemListIRPic {
        id: id_pic_list
        anchors { left: parent.left; right: id_property.left; bottom: parent.bottom }
        onSig_open_ir_picture: id_wnd.open_picture(str_path, n_total, n_index)
    }

    ItemIRViewTools {
        id: id_tools
        anchors { left: parent.left; right: id_property.left; bottom: id_pic_list.top }
        areaIR: id_area_ir
        strName: qsTr("图片分析 ") + id_wnd.mn_index_type
    }

    // The picture window's own tools; the view tools serve the rest.
    function press_tool(n_id, b_checked) {
        switch (n_id) {
        case ItemCommonDef.idBtnBatchAna: show_batch_ana(); break
        case ItemCommonDef.idBtnImportAna: show_ana_dialog(true); break
        case ItemCommonDef.idBtnExportAna: show_ana_dialog(false); break
        }
    }
    // The batch analysis window of the main window, with this picture's
    // analyses and its folder.
    function show_batch_ana() {
        var main = Window.window
        if (!main || !main.show_batch_ana_wnd)
            return false
        var path = wndIRShow.get_file_path()
        return main.show_batch_ana_wnd(wndIRShow.get_all_anas_json(), path.substring(0, path.lastIndexOf("/")))
    }
    Component.onCompleted: {
        wndIRShow.set_wnd_index(mn_index)
        wndIRShow.set_wnd_type_index(mn_index_type)
    }

    Connections {
        target: id_wnd.wndIRShow
        function onSig_update_ana_temp_info() { id_property.update_ana_temp_info() }
        function onSig_update_ir_temp_info() { id_property.update_ir_temp_info() }
        function onSig_update_ir_param_info() { id_property.update_ir_property() }
        function onSig_update_cur_ana(n_cur_ana) { id_property.update_ana_temp_info() }
        function onSig_update_ana_alias(b_delete) { id_property.update_ana_temp_info() }
        function onSig_update_sound_sec(n_sec) { id_property.update_pic_sound_sec(n_sec) }
    }

    ItemAreaPropertyIR {
        id: id_property
        anchors { right: parent.right; top: id_ctrl.bottom }
        width: 260
        // The fields scroll when the alarm panel would have less than 200.
        height: Math.min(nContentHeight, id_wnd.height - y - 200)
        wndIRShow: id_wnd.wndIRShow
    }

    // The alarm panel takes the property column below its fields.
    ItemAreaWarning {
        anchors { left: id_property.left; right: id_property.right; bottom: parent.bottom
                  top: id_property.bottom; topMargin: 10 }
        wndIRShow: id_wnd.wndIRShow
    }

    // ... and so is its property panel.
    ItemCoverPlainImage {
        objectName: "cover_plain_image"
        anchors { left: id_property.left; right: id_property.right; top: id_property.top; bottom: parent.bottom }
        visible: id_ctrl.bNormalImage
    }

    Text {
        objectName: "text_tip"
        anchors.centerIn: id_area_ir
        visible: id_wnd.strTip !== ""
        textFormat: Text.PlainText
        color: "#FF4040"
        font.pixelSize: 16
        text: id_wnd.strTip
    }
    Text {
        objectName: "text_note"
        anchors { horizontalCenter: id_area_ir.horizontalCenter; bottom: id_area_ir.bottom; bottomMargin: 12 }
        visible: id_wnd.strNote !== "" && id_note_timer.running
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextNormal
        font.pixelSize: 14
        text: id_wnd.strNote
        Rectangle { anchors.fill: parent; anchors.margins: -4; z: -1; color: "#C0101822" }
        Timer { id: id_note_timer; interval: 3000 }
    }
}
