import QtQuick 2.15
import VY.ModelDirInfo 1.0
import VY.ModelIRInfo 1.0
import "../common"

// The start page's file preview: the folder tree on the left, the thumbnails
// of the chosen folder on the right; the chosen file's information goes to
// the status bar. Double-clicking a picture or recording asks for its
// document window.
Rectangle {
    id: id_page
    objectName: "wnd_preview"
    color: ItemCommonClr.clrClientBackground

    // The last folder chosen; the tree opens the stored one at start.
    property string strPreviewPath: ""

    signal sig_open_pic(string path, string folder)
    signal sig_open_video(string path, string folder)
    // The report window for these pictures (records strPicPath, strPicName).
    signal sig_show_report(var records)
    signal sig_message(string text)
    // For the status bar: the selected file's information, the count of
    // selected files, or an empty record.
    signal sig_file_info(var record)

    ModelIRInfo { id: id_ir_info }
    ModelDirInfo { id: id_dir_info }

    onStrPreviewPathChanged: {
        if (strPreviewPath !== id_computer.ms_select_path)
            id_computer.select_path(strPreviewPath)
    }
    // A picture's or recording's record of ModelIRInfo, with the count of
    // selected files; several files give only the count.
    function file_info(record) {
        if (record === null) {
            if (id_preview.nSelected > 1)
                return { nFileType: -1, nCurFileCount: id_preview.nSelected }
            return {}
        }
        var info = record.bJpg ? id_ir_info.get_ir_image_info(record.PicPath)
                               : id_ir_info.get_ir_video_info(record.PicPath)
        info.nCurFileCount = 1
        return info
    }

    // The folder of a file that opens joins the browsing history.
    function remember_folder(folder) {
        DataConfig.add_browsing_history(folder)
        id_computer.update_history()
    }

    function open_file(path, jpg) {
        var folder = id_preview.strCurPath
        if (jpg) {
            if (id_dir_info.has_ir_file(path)) {
                sig_open_pic(path, folder)
                remember_folder(folder)
            } else {
                sig_message(qsTr("打开图片失败！"))
            }
        } else if (id_dir_info.has_irv_file(path)) {
            sig_open_video(path, folder)
            remember_folder(folder)
        } else {
            sig_message(qsTr("不是红外视频文件"))
        }
    }

    function show_report_menu(x, y) {
        id_report_menu.x = Math.min(x, width - id_report_menu.width)
        id_report_menu.y = Math.min(y, height - id_report_menu.height)
        id_report_menu.visible = true
    }

    function report_selected() {
        id_report_menu.visible = false
        var records = id_preview.selected_pictures()
        if (records.length === 0) {
            sig_message(qsTr("未选择红外图片"))
            return
        }
        sig_show_report(records)
    }

    ItemAreaComputerPath {
        id: id_computer
        width: 260
        anchors { top: parent.top; bottom: parent.bottom; left: parent.left }
        onSig_set_cur_path: {
            id_page.strPreviewPath = path
            id_preview.slot_set_cur_path(path)
        }
    }

    // Drag handle between the folder area (at least 100) and the thumbnails
    // (at least 200).
    Rectangle {
        id: id_split
        x: id_computer.width
        width: 4
        anchors { top: parent.top; bottom: parent.bottom }
        color: ItemCommonClr.clrBroder
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.SplitHCursor
            onPositionChanged: {
                var w = id_computer.width + mouse.x
                id_computer.width = Math.max(100, Math.min(w, id_page.width - 204))
            }
        }
    }

    ItemAreaPicPreview {
        id: id_preview
        anchors { top: parent.top; bottom: parent.bottom; left: id_split.right; right: parent.right }
        onSig_select_file_info: id_page.sig_file_info(id_page.file_info(record))
        onSig_open_file: id_page.open_file(path, jpg)
        onSig_report_menu: {
            var at = mapToItem(id_page, x, y)
            id_page.show_report_menu(at.x, at.y)
        }
    }

    // The report menu: a press anywhere else closes it.
    MouseArea {
        anchors.fill: parent
        visible: id_report_menu.visible
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onPressed: id_report_menu.visible = false
    }
    Rectangle {
        id: id_report_menu
        objectName: "report_menu"
        visible: false
        width: 160
        height: 30
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrBroder
        Rectangle {
            anchors { fill: parent; margins: 1 }
            color: id_report_mouse.containsMouse ? ItemCommonClr.clrPreviewHover : ItemCommonClr.clrTransparent
        }
        Text {
            objectName: "report_menu_item"
            anchors { fill: parent; leftMargin: 10 }
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            text: id_preview.nSelected > 1 ? qsTr("全部生成报告") : qsTr("生成报告")
        }
        MouseArea {
            id: id_report_mouse
            objectName: "report_menu_mouse"
            anchors.fill: parent
            hoverEnabled: true
            onClicked: id_page.report_selected()
        }
    }
}
