import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Layouts 1.15
import VY.WndReportClient 1.0
import "../common"
import "../views"

// The report designer page: the property panel on the left, the toolbar and
// the designer canvas on the right, with the canvas's context menu, the mark
// chooser, the in-place text editor and the page's message boxes.
Item {
    id: id_page
    objectName: "area_report_edit"
    property var mainWindow: null
    readonly property var fileDialog: mainWindow ? mainWindow.dialogFile : null
    readonly property alias wndReport: id_report
    readonly property alias toolbar: id_toolbar
    readonly property alias propertyPanel: id_property
    property bool bCtrl: false
    // The last report written, for the question whether to open it.
    property string strSavedName: ""

    // Purposes of the page's file dialogs.
    readonly property int nDialogOpen: 0
    readonly property int nDialogSaveAs: 1
    readonly property int nDialogPicture: 2

    ItemReportText { id: id_texts }

    Component.onCompleted: id_toolbar.check_only(ItemCommonDef.idBtnReportSelect)
    onVisibleChanged: {
        if (!visible)
            return
        forceActiveFocus()
        if (mainWindow && mainWindow.statusBar)
            mainWindow.statusBar.update_preview_file_info(null)
    }

    // Tool tips at the mouse, for the toolbar and the panel.
    function show_tip(text) {
        var pos = GlobalFunction.get_mouse_pos()
        var at = mapFromGlobal(pos.x, pos.y)
        id_tip.place(at.x, at.y, text)
    }
    function hide_tip() { id_tip.hide_tip() }

    // Keys go to the page again once an editor or menu over it closes.
    function take_focus() {
        if (visible)
            forceActiveFocus()
    }
    function show_message(text) { id_message.show_message_box(text) }

    // Delete removes the selected components; Ctrl+S saves.
    Keys.onPressed: {
        if (!visible)
            return
        if (event.key === Qt.Key_Control) {
            bCtrl = true
        } else if (event.key === Qt.Key_Delete) {
            delete_cur_com()
            event.accepted = true
        } else if (event.key === Qt.Key_S && (bCtrl || (event.modifiers & Qt.ControlModifier))) {
            save()
            event.accepted = true
        } else if (event.key === Qt.Key_Left || event.key === Qt.Key_Right || event.key === Qt.Key_Up
                   || event.key === Qt.Key_Down) {
            event.accepted = true
        }
    }
    Keys.onReleased: if (event.key === Qt.Key_Control) bCtrl = false

    function delete_cur_com() {
        if (id_report.delete_cur_com())
            id_property.update_property(0, -1)
    }
    function save() {
        if (!id_toolbar.bSaveEnabled)
            return
        var name = id_report.get_dot_name()
        show_tip((id_report.save_dot() ? ItemCommonText.strSaveTemplateSuccessfully
                                              : ItemCommonText.strSaveTemplateError).arg(name))
    }

    function press_btn(id, checked) {
        var d = ItemCommonDef
        var folder = DataConfig.str_report_save_path
        switch (id) {
        case d.idBtnReportOpenFile:
            if (fileDialog) fileDialog.show_open_report_path(id_page, nDialogOpen, folder)
            break
        case d.idBtnReportSave: save(); break
        case d.idBtnReportSaveTo:
            if (fileDialog) fileDialog.show_save_report_path(id_page, nDialogSaveAs, folder)
            break
        case d.idBtnReportSelect: if (checked) id_report.add_com_select(); break
        case d.idBtnReportAddPic: if (checked) id_report.add_com_pic(); break
        case d.idBtnReportAddTable: if (checked) id_report.add_com_table(); break
        case d.idBtnReportAddMark: if (checked) id_report.add_com_mark(); break
        case d.idBtnReportAddText: if (checked) id_report.add_com_text(); break
        case d.idBtnAddPoint: if (checked) id_report.add_point(); break
        case d.idBtnAddLine: if (checked) id_report.add_line(); break
        case d.idBtnAddRect: if (checked) id_report.add_rect(); break
        case d.idBtnAddEllipse: if (checked) id_report.add_ellipse(); break
        case d.idBtnDeleteAna: id_report.delete_ana(); break
        case d.idBtnClearAna: id_report.delete_all_ana(); break
        case d.idBtnReportAlignLeft: id_report.move_cur_com_pos(4, 0); break
        case d.idBtnReportAlignRight: id_report.move_cur_com_pos(5, 0); break
        case d.idBtnReportAlignTop: id_report.move_cur_com_pos(6, 0); break
        case d.idBtnReportAlignBotoom: id_report.move_cur_com_pos(7, 0); break
        case d.idBtnReportAlignVCenter: id_report.move_cur_com_pos(8, 0); break
        case d.idBtnReportAlignHCenter: id_report.move_cur_com_pos(9, 0); break
        default: break
        }
    }

    // A layout or report file chosen in a toolbar dialog, as its URL.
    function open_layout(url, folder) {
        DataConfig.str_report_save_path = folder
        var name = id_report.get_file_name(decodeURIComponent(url))
        if (id_report.open_word_dot(url))
            id_toolbar.bSaveEnabled = true
        else
            show_message(ItemCommonText.strOpenTemplateError.arg(name))
    }
    function save_layout_as(url, folder) {
        DataConfig.str_report_save_path = folder
        var name = id_report.get_file_name(decodeURIComponent(url))
        var n = id_report.save_word_dot(url)
        if (n === 3) {
            id_toolbar.bSaveEnabled = true
            show_message(ItemCommonText.strSaveTemplateSuccessfully.arg(name))
        } else if (n === 1 || n === 2) {
            strSavedName = name
            id_choose.show_choose_box(id_page, ItemCommonText.strSaveReportSuccessfullyAndOpen.arg(name))
        } else {
            show_message(ItemCommonText.strSaveReportError.arg(name))
        }
    }
    // A picture chosen for the pressed picture component, as its URL.
    function open_picture(url, folder) {
        DataConfig.str_preview_path = folder
        if (id_report.com_open_file(url) && !id_property.bMulti)
            id_property.update_ir_setting(id_report.get_cur_com_ir_property())
    }

    Connections {
        target: id_page.fileDialog
        function onSig_accepted(item, purpose, urls) {
            if (item !== id_page || urls.length === 0)
                return
            var url = urls[0].toString()
            var folder = id_page.fileDialog.folder.toString()
            if (purpose === id_page.nDialogOpen)
                id_page.open_layout(url, folder)
            else if (purpose === id_page.nDialogSaveAs)
                id_page.save_layout_as(url, folder)
            else if (purpose === id_page.nDialogPicture)
                id_page.open_picture(url, folder)
        }
    }

    function menu_action(name, value) {
        switch (name) {
        case "connect":
            id_select_mark.show_wnd(id_report.get_com_table_cell_mark(), id_report.get_mark_ir_info(), 1)
            break
        case "table": id_report.com_table_change(value); break
        case "open":
            if (fileDialog) fileDialog.show_open_image(id_page, nDialogPicture, DataConfig.str_preview_path)
            break
        case "logo": id_report.com_set_logo(!id_menu.bLogo); break
        case "palette": id_report.set_com_ir_setting({ "strSettingPalette": value }); break
        case "delete": delete_cur_com(); break
        default: break
        }
    }

    SplitView {
        anchors.fill: parent
        orientation: Qt.Horizontal
        handleDelegate: Rectangle { width: 2; color: ItemCommonClr.clrTitleBackground }

        ItemAreaPropertyReport {
            id: id_property
            width: 310
            Layout.minimumWidth: 310
            Layout.maximumWidth: 400
            wndReport: id_report
            tipItem: id_page
            onSig_choose_mark: id_select_mark.show_wnd(text, id_report.get_mark_ir_info(), 0)
        }
        Item {
            id: id_right
            Layout.fillWidth: true
            ItemToolbarReport {
                id: id_toolbar
                anchors { left: parent.left; right: parent.right; top: parent.top }
                tipItem: id_page
                onSig_press_btn: id_page.press_btn(id, checked)
            }
            Rectangle {
                anchors { left: parent.left; right: parent.right; top: id_toolbar.bottom; bottom: parent.bottom }
                color: ItemCommonClr.clrClientBackground
                border.width: 1
                border.color: ItemCommonClr.clrTitleBackground
                WndReportClient {
                    id: id_report
                    objectName: "wnd_report_client"
                    anchors.fill: parent
                    anchors.margins: 1

                    // A press on the canvas takes the keys back from the panel's
                    // fields; the canvas still gets the press itself.
                    MouseArea {
                        anchors.fill: parent
                        acceptedButtons: Qt.LeftButton | Qt.RightButton
                        onPressed: {
                            id_page.take_focus()
                            mouse.accepted = false
                        }
                    }
                    onSig_show_com_menu: {
                        var pos = GlobalFunction.get_mouse_pos()
                        var at = id_page.mapFromGlobal(pos.x, pos.y)
                        id_menu.show_com_menu(n_type, b_open, b_ir, b_logo, at.x, at.y)
                    }
                    onSig_add_com_end: id_toolbar.slot_add_com_end()
                    onSig_add_com_text: {
                        var at = mapToItem(null, n_x, n_y)
                        id_edit.show_edit(at.x, at.y, n_width, n_height, str_text, 0, item_com, json_font)
                    }
                    onSig_change_table_text: {
                        var at = mapToItem(null, n_x, n_y)
                        id_edit.show_edit(at.x, at.y, n_width, n_height, str_text, 1, item_com, json_font)
                    }
                    onSig_update_com_property: {
                        id_property.update_property(n_cur_count, n_same_type)
                        if (n_same_type === 4) {
                            id_property.update_font_setting(get_cur_com_font_property())
                        } else if (n_same_type === 3) {
                            id_property.update_font_setting(get_cur_com_font_property())
                            id_property.update_mark_setting(get_cur_com_mark_property())
                        } else if (n_same_type === 1) {
                            id_property.update_ir_setting(get_cur_com_ir_property())
                        }
                        if (n_same_type > 0 || n_cur_count > 1)
                            id_property.update_general_setting(get_cur_com_general_setting())
                        id_toolbar.bAlignEnabled = n_cur_count > 1
                    }
                    onSig_update_com_position: id_property.update_general_setting(get_cur_com_general_setting())
                    onSig_update_com_table_font: {
                        id_property.show_cell_font(b_cell)
                        if (b_cell)
                            id_property.update_font_setting(get_hit_com_font_property())
                    }
                }
            }
        }
    }

    ItemMenuReportEdit {
        id: id_menu
        onVisibleChanged: if (!visible) id_page.take_focus()
        texts: id_texts
        onSig_action: id_page.menu_action(name, value)
    }
    ItemWndSelectMark {
        id: id_select_mark
        onVisibleChanged: if (!visible) id_page.take_focus()
        wndReport: id_report
        texts: id_texts
        onSig_select_mark: if (n_function === 0) id_property.markSection.set_mark(text, json)
    }
    ItemWndEditText {
        id: id_edit
        onVisibleChanged: if (!visible) id_page.take_focus()
        onSig_change_text: {
            if (n_function === 0)
                id_report.set_com_text(data, text)
            else
                id_report.set_table_com_text(data, text)
        }
    }
    ItemToolTip { id: id_tip; objectName: "report_tool_tip" }
    ItemMessageBox { id: id_message; objectName: "report_message_box" }
    ItemMessageBox {
        id: id_choose
        objectName: "report_choose_box"
        onSig_return: if (result === 1 && item === id_page) id_report.open_report()
    }
}
