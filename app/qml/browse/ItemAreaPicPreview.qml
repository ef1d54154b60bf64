import QtQuick 2.15
import VY.ModelDirInfo 1.0
import "../common"

// Thumbnail area of the start page: every picture and recording of the
// chosen folder as a tile, with selection by mouse and opening by
// double-click.
Rectangle {
    id: id_area
    objectName: "area_pic_preview"
    color: ItemCommonClr.clrClientBackground

    property string strCurPath: ""
    property bool bShowVideos: DataCommon.nSettingSoftwareVersion !== DataCommon.nSettingImageVersion
    property int nPictures: 0
    property int nVideos: 0
    // One flag per file, the number selected and the last file clicked.
    property var arrSelected: []
    property int nSelected: 0
    property int nLastClicked: -1

    signal sig_select_file_info(var record)
    signal sig_open_file(string path, bool jpg)
    // A right press on a file: the report menu opens at (x, y) of this area.
    signal sig_report_menu(real x, real y)

    ModelDirInfo { id: id_dir_info }
    ListModel { id: id_files }

    function slot_set_cur_path(folder) {
        if (folder === "")
            return
        strCurPath = folder
        update_cur_path()
    }

    // Lists the folder again and rebuilds the grid, nothing selected.
    function update_cur_path() {
        var files = id_dir_info.get_path_files(strCurPath, true, bShowVideos)
        id_files.clear()
        var pictures = 0
        var flags = []
        for (var i = 0; i < files.length; ++i) {
            id_files.append({ PicName: files[i].str_name, PicPath: files[i].str_path, bJpg: files[i].b_jpg })
            if (files[i].b_jpg)
                ++pictures
            flags.push(false)
        }
        nPictures = pictures
        nVideos = files.length - pictures
        arrSelected = flags
        nSelected = 0
        nLastClicked = -1
        sig_select_file_info(null)
    }

    // The selected pictures (recordings are skipped) as report records.
    function selected_pictures() {
        var records = []
        for (var i = 0; i < id_files.count; ++i) {
            var file = id_files.get(i)
            if (arrSelected[i] === true && file.bJpg)
                records.push({ strPicPath: file.PicPath, strPicName: file.PicName })
        }
        return records
    }

    function select_range(from, to, keep) {
        var flags = keep ? arrSelected.slice() : arrSelected.map(function() { return false })
        for (var i = Math.min(from, to); i <= Math.max(from, to); ++i)
            flags[i] = true
        return flags
    }

    function press_file(row, modifiers, button) {
        if (button === Qt.RightButton) {
            if (!arrSelected[row])
                press_file(row, Qt.NoModifier, Qt.LeftButton)
            return
        }
        var control = modifiers & Qt.ControlModifier
        var shift = modifiers & Qt.ShiftModifier
        var anchor = nLastClicked < 0 ? 0 : nLastClicked
        var flags
        if (control && shift) {
            flags = select_range(anchor, row, true)
            nLastClicked = row
        } else if (control) {
            flags = arrSelected.slice()
            flags[row] = !flags[row]
            nLastClicked = row
        } else if (shift) {
            flags = select_range(anchor, row, false)
        } else {
            flags = select_range(row, row, false)
            nLastClicked = row
        }
        arrSelected = flags
        nSelected = flags.filter(function(f) { return f }).length
        sig_select_file_info(nSelected === 1 ? id_files.get(flags.indexOf(true)) : null)
    }

    Text {
        id: id_header
        objectName: "preview_header"
        x: 10
        // Clear of the main window's open button at the right end.
        width: parent.width - 150
        height: 30
        elide: Text.ElideMiddle
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        text: " " + id_area.nPictures + " " + qsTr("图片")
              + (id_area.bShowVideos ? " " + id_area.nVideos + " " + qsTr("视频") : "")
              + "   " + qsTr("当前目录：") + id_area.strCurPath + (id_area.strCurPath.slice(-1) === "/" ? "" : "/")
    }

    GridView {
        id: id_grid
        objectName: "preview_grid"
        anchors { fill: parent; topMargin: 30; leftMargin: 10 }
        clip: true
        cellWidth: 257
        cellHeight: 215
        model: id_files
        delegate: ItemPicPreviewCell {
            objectName: "preview_cell_" + index
            strName: PicName
            strPath: PicPath
            bIsJpg: bJpg
            bSelected: id_area.arrSelected[index] === true
            onSig_pressed: {
                id_area.press_file(index, modifiers, button)
                if (button === Qt.RightButton) {
                    var at = mapToItem(id_area, width / 2, height / 2)
                    id_area.sig_report_menu(at.x, at.y)
                }
            }
            onSig_double_clicked: id_area.sig_open_file(PicPath, bJpg)
        }
    }
}
