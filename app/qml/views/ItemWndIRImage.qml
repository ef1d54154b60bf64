import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Dialogs 1.3
import "../common"
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
        // A picture without temperatures has no tools.
        if (normal) id_tools.close_all()
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
        anchors { left: parent.left; right: id_property.left; top: id_ctrl.bottom; bottom: id_tools.top }
        onSig_update_cur_ana: id_property.nCurAna = n_cur_ana
        onSig_tool_btn: if (n_id === ItemCommonDef.idBtnBatchAna) id_wnd.show_batch_ana()
        Component.onCompleted: toolbar.bBatchAna = true
    }

    ItemIRViewTools {
        id: id_tools
        anchors { left: parent.left; right: id_property.left; bottom: parent.bottom }
        areaIR: id_area_ir
        strName: qsTr("图片分析 ") + id_wnd.mn_index_type
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
            Component.onCompleted: open()
            onAccepted: {
                id_wnd.save_picture_as(fileUrl.toString(), selectedNameFilter === qsTr("国网红外图片 (*.jpg)"))
                id_save_dialog.active = false
            }
            onRejected: id_save_dialog.active = false
        }
    }
}
