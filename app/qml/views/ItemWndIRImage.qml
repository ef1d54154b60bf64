import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Dialogs 1.3
import "../common"
import "../charts"
import "../alarms"

// The window of one opened picture: control bar, the IR view with its
// analysis toolbar, and the property column.
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

    signal sig_picture_opened(string str_path)

    function set_open_picture(str_folder, str_file) { return open_file(str_file) }

    function open_file(str_path) {
        if (!id_area_ir.open_file(str_path)) {
            strTip = qsTr("打开图片失败！")
            return false
        }
        strTip = ""
        var normal = wndIRShow.is_show_normal_image()
        id_ctrl.bNormalImage = normal
        if (normal) {
            id_chart_row.bLine = false
            id_chart_row.bArea = false
            id_area_ir.set_chart_checked(ItemCommonDef.idBtnChartLine, false)
            id_area_ir.set_chart_checked(ItemCommonDef.idBtnChartArea, false)
            id_isotherm.visible = false
            id_area_ir.toolbar.set_isotherm_checked(false)
            // A picture without temperatures has no tables.
            if (id_temp_full.item) id_temp_full.item.close()
            if (id_temp_simplified.item) id_temp_simplified.item.close()
        }
        var path = wndIRShow.get_file_path()
        id_ctrl.strPicText = "1 / 1 - " + path.substring(path.lastIndexOf("/") + 1)
        id_property.update_ir_property()
        id_wnd.forceActiveFocus()
        sig_picture_opened(path)
        return true
    }
    function save() {
        var ok = wndIRShow.save_image_to_file()
        strTip = ok ? "" : qsTr("保存图片失败")
        return ok
    }
    function save_picture_as(str_path, b_sgcc) {
        var ok = b_sgcc ? wndIRShow.save_as_sgcc_image_to_file(str_path) : wndIRShow.save_as_image_to_file(str_path)
        strTip = ok ? "" : (b_sgcc ? qsTr("保存国网图片失败！") : qsTr("保存红外图片失败！"))
        return ok
    }
    function rotate(b_clockwise) {
        wndIRShow.rorate_90_degrees(b_clockwise)
        id_property.update_ir_property()
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
        }
    }

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
            case ItemCommonDef.idBtnSaveTo: id_save_dialog.active = true; break
            }
            id_wnd.forceActiveFocus()
        }
    }

    ItemAreaIRShow {
        id: id_area_ir
        anchors { left: parent.left; right: id_property.left; top: id_ctrl.bottom
                  bottom: id_isotherm.visible ? id_isotherm.top : id_chart_row.top }
        onSig_update_cur_ana: id_property.nCurAna = n_cur_ana
        onSig_chart_btn: id_chart_row.show_chart(n_id === ItemCommonDef.idBtnChartLine, b_checked)
        onSig_tool_btn: id_wnd.press_tool(n_id, b_checked)
        Component.onCompleted: toolbar.bBatchAna = true
    }

    ItemChartRow {
        id: id_chart_row
        anchors { left: parent.left; right: id_property.left; bottom: parent.bottom }
        height: visible ? 250 : 0
        wndIRShow: id_wnd.wndIRShow
        onSig_hidden: id_area_ir.set_chart_checked(b_line ? ItemCommonDef.idBtnChartLine : ItemCommonDef.idBtnChartArea, false)
        Component.onCompleted: bind_view()
    }

    ItemAreaIRIsotherm {
        id: id_isotherm
        anchors { left: parent.left; right: id_property.left; bottom: id_chart_row.top }
        visible: false
    }

    function press_tool(n_id, b_checked) {
        switch (n_id) {
        case ItemCommonDef.idBtnIsotherm: id_isotherm.visible = b_checked; break
        case ItemCommonDef.idBtnCopyTemp: id_copy_temp.show_choices(); break
        case ItemCommonDef.idBtnShowTempTable: show_temp_window(id_temp_full); break
        case ItemCommonDef.idBtnShowTempPreview: show_temp_window(id_temp_simplified); break
        case ItemCommonDef.idBtnBatchAna: show_batch_ana(); break
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
    function show_temp_window(loader) {
        loader.active = true
        loader.item.show()
    }

    ItemWndCopyTemp {
        id: id_copy_temp
        anchors.centerIn: id_area_ir
        wndIRShow: id_wnd.wndIRShow
    }
    Text {
        objectName: "text_copy_result"
        anchors { horizontalCenter: id_area_ir.horizontalCenter; bottom: id_area_ir.bottom; bottomMargin: 12 }
        visible: id_copy_temp.strResult !== "" && id_result_timer.running
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextNormal
        font.pixelSize: 14
        text: id_copy_temp.strResult
        onTextChanged: if (text !== "") id_result_timer.restart()
        Timer { id: id_result_timer; interval: 3000 }
    }

    Loader {
        id: id_temp_full
        objectName: "loader_temp_full"
        active: false
        sourceComponent: ItemWndIRTempFull { wndIRShow: id_wnd.wndIRShow; strName: qsTr("图片分析 ") + 1 }
    }
    Loader {
        id: id_temp_simplified
        objectName: "loader_temp_simplified"
        active: false
        sourceComponent: ItemWndIRTempSimplified { wndIRShow: id_wnd.wndIRShow; strName: qsTr("图片分析 ") + 1 }
    }
    Component.onCompleted: wndIRShow.set_wnd_isotherm(id_isotherm.wndIsotherm)

    Connections {
        target: id_wnd.wndIRShow
        function onSig_update_ana_temp_info() { id_property.update_ana_temp_info() }
        function onSig_update_ir_temp_info() { id_property.update_ir_temp_info() }
        function onSig_update_ir_param_info() { id_property.update_ir_property() }
        function onSig_update_cur_ana(n_cur_ana) { id_property.update_ana_temp_info() }
        function onSig_update_sound_sec(n_sec) { id_property.update_pic_sound_sec(n_sec) }
    }

    ItemAreaPropertyIR {
        id: id_property
        anchors { right: parent.right; top: id_ctrl.bottom; bottom: parent.bottom }
        width: 260
        wndIRShow: id_wnd.wndIRShow
    }

    // The alarm panel takes the property column below its fields.
    ItemAreaWarning {
        anchors { left: id_property.left; right: id_property.right; bottom: id_property.bottom
                  top: id_property.top; topMargin: id_property.childrenRect.height + 10 }
        wndIRShow: id_wnd.wndIRShow
    }

    // Control with the wheel zooms; the wheel alone is left to the page.
    MouseArea {
        anchors.fill: id_area_ir
        acceptedButtons: Qt.NoButton
        onWheel: {
            if (wheel.modifiers & Qt.ControlModifier) {
                if (wheel.angleDelta.y > 0) id_area_ir.zoom_in(); else id_area_ir.zoom_out()
                wheel.accepted = true
            } else {
                wheel.accepted = false
            }
        }
    }

    // A plain picture has no temperatures: its panel is covered.
    Rectangle {
        objectName: "cover_plain_image"
        anchors.fill: id_property
        visible: id_ctrl.bNormalImage
        color: "#B0181F27"
        Text {
            anchors.centerIn: parent
            width: parent.width - 20
            visible: id_cover_mouse.containsMouse
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            text: qsTr("非红外图片，红外相关控制无效！")
        }
        MouseArea { id: id_cover_mouse; anchors.fill: parent; hoverEnabled: true }
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

    Loader {
        id: id_save_dialog
        active: false
        sourceComponent: FileDialog {
            title: qsTr("另存为")
            selectExisting: false
            nameFilters: id_wnd.wndIRShow.is_sgcc_image() ? [qsTr("国网红外图片 (*.jpg)")]
                       : [qsTr("红外图片 (*.jpg)"), qsTr("国网红外图片 (*.jpg)"), qsTr("红外图片 (*.png)")]
            // Qt's dialog restores the folder it last showed when it opens.
            Component.onCompleted: { open(); if (DataConfig.str_image_save_path !== "") folder = GlobalFunction.url_of_local_path(DataConfig.str_image_save_path) }
            onAccepted: {
                DataConfig.str_image_save_path = folder.toString()
                id_wnd.save_picture_as(fileUrl.toString(), selectedNameFilter === qsTr("国网红外图片 (*.jpg)"))
                id_save_dialog.active = false
            }
            onRejected: id_save_dialog.active = false
        }
    }
}
