import QtQuick 2.15
import QtQuick.Dialogs 1.3
import VY.WndIRIsotherm 1.0
import "../common"

// The isotherm strip under the picture: the editor with its file, colour
// and temperature-range dialogs.
Rectangle {
    id: id_area
    objectName: "area_ir_isotherm"
    color: ItemCommonClr.clrClientBackground
    height: 75

    readonly property alias wndIsotherm: id_isotherm
    property string strMessage: ""

    function import_file(str_url) {
        var ok = id_isotherm.import_to(str_url)
        strMessage = ok ? "" : qsTr("加载等温分析文件失败！")
        return ok
    }
    function export_file(str_url) {
        var ok = id_isotherm.save_to(str_url)
        strMessage = ok ? "" : qsTr("保存等温分析文件失败！")
        return ok
    }
    function remember_folder(url) {
        DataConfig.str_isotherm_path = GlobalFunction.local_path_of_url(GlobalFunction.folder_of_url(url))
    }

    WndIRIsotherm {
        id: id_isotherm
        objectName: "wnd_ir_isotherm"
        anchors.fill: parent
        onSig_show_tool_tip: {
            id_tip.visible = b_show
            if (!b_show) return
            id_tip.text = str_tip
            var p = id_area.mapFromItem(null, n_x, n_y)
            id_tip.x = Math.min(p.x + 12, id_area.width - id_tip.width - 4)
            id_tip.y = Math.max(0, p.y - id_tip.height - 4)
        }
        onSig_import_isotherm: id_file_dialog.open_for(false)
        onSig_save_isotherm: id_file_dialog.open_for(true)
        onSig_change_isotherm_color: { id_color_dialog.color = clr; id_color_dialog.active = true }
        onSig_change_isotherm_temp: id_range.show_range(str_min, str_max)
    }

    Text {
        id: id_tip
        objectName: "text_isotherm_tip"
        visible: false
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextSecLv
        font.pixelSize: 12
        Rectangle { anchors.fill: parent; anchors.margins: -3; z: -1; color: ItemCommonClr.clrTitleBackground }
    }

    Text {
        objectName: "text_isotherm_message"
        anchors { right: parent.right; top: parent.top; rightMargin: 8; topMargin: 6 }
        visible: id_area.strMessage !== ""
        textFormat: Text.PlainText
        color: "#FF4040"
        font.pixelSize: 12
        text: id_area.strMessage
    }

    ItemWndTempRange {
        id: id_range
        objectName: "wnd_temp_range"
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.top; bottomMargin: 4 }
        onSig_accept: id_isotherm.change_cur_item_range(f_min, f_max)
    }

    Loader {
        id: id_file_dialog
        property bool bSave: false
        function open_for(b_save) { bSave = b_save; active = true }
        active: false
        sourceComponent: FileDialog {
            title: id_file_dialog.bSave ? qsTr("选择导出的等温分析文件") : qsTr("选择导入的等温分析文件")
            selectExisting: !id_file_dialog.bSave
            nameFilters: [qsTr("等温分析文件 (*.is)")]
            // Qt's dialog restores the folder it last showed when it opens;
            // an export names its file with the ".is" suffix.
            Component.onCompleted: {
                open()
                if (DataConfig.str_isotherm_path !== "") folder = GlobalFunction.url_of_local_path(DataConfig.str_isotherm_path)
                GlobalFunction.prepare_file_dialog("")
            }
            onAccepted: {
                id_area.remember_folder(fileUrl)
                if (id_file_dialog.bSave) id_area.export_file(fileUrl.toString())
                else id_area.import_file(fileUrl.toString())
                id_file_dialog.active = false
            }
            onRejected: id_file_dialog.active = false
        }
    }

    Loader {
        id: id_color_dialog
        property color color: "white"
        active: false
        sourceComponent: ColorDialog {
            color: id_color_dialog.color
            Component.onCompleted: open()
            onAccepted: { id_isotherm.change_cur_item_clr(color.toString()); id_color_dialog.active = false }
            onRejected: id_color_dialog.active = false
        }
    }
}
