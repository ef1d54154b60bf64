import QtQuick 2.15
import VY.ModelDirInfo 1.0
import VY.WndPicPreview 1.0
import "../common"

// The thumbnail strip of the picture window: every picture of the folder
// shown; pressing one, or stepping with previous and next, opens it.
Rectangle {
    id: id_strip
    objectName: "list_ir_pic"
    color: ItemCommonClr.clrTitleBackground
    height: 52

    property string ms_preview_path: ""
    readonly property int mn_preview_count: id_model.count
    readonly property alias nCurIndex: id_list.currentIndex

    // File name of the thumbnail under the mouse, shown as its tip.
    property string strHoverName: ""

    signal sig_open_ir_picture(string str_path, int n_total, int n_index)

    ModelDirInfo { id: id_dir_info }
    ListModel { id: id_model }

    function index_of(str_path) {
        for (var i = 0; i < id_model.count; ++i)
            if (id_model.get(i).strPicPath === str_path) return i
        return -1
    }
    function fill() {
        id_model.clear()
        var files = id_dir_info.get_path_images(ms_preview_path)
        for (var i = 0; i < files.length; ++i)
            id_model.append({"strPicName": files[i]["str_name"], "strPicPath": files[i]["str_path"],
                             "bJpg": files[i]["b_jpg"], "bUpdatePic": false})
    }
    // Selects the element at n (when there is one) and opens it.
    function select_and_open(n) {
        if (n < 0 || n >= id_model.count) return
        id_list.currentIndex = n
        id_list.positionViewAtIndex(n, ListView.Contain)
        sig_open_ir_picture(id_model.get(n).strPicPath, id_model.count, n)
    }
    function set_preview_path(str_folder, str_file) {
        if (str_folder !== ms_preview_path) {
            ms_preview_path = str_folder
            fill()
        }
        if (str_file === "") {
            select_and_open(0)
            return
        }
        var n = index_of(str_file)
        if (n < 0) {
            // A file new in the folder since it was listed.
            fill()
            n = index_of(str_file)
        }
        if (n < 0) sig_open_ir_picture(str_file, 1, 0)  // a kind the strip does not list
        else select_and_open(n)
    }
    function update_ir_picture_list() {
        var cur = id_list.currentIndex >= 0 && id_list.currentIndex < id_model.count ? id_model.get(id_list.currentIndex).strPicPath : ""
        fill()
        id_list.currentIndex = Math.max(0, index_of(cur))
    }
    // Selects the element of the picture shown (none when the strip does not
    // list it) without opening anything.
    function select_shown(str_path) { id_list.currentIndex = index_of(str_path) }
    // Reloads the thumbnail of the current picture (after a save).
    function update_picture_show() {
        var n = id_list.currentIndex
        if (n >= 0 && n < id_model.count) id_model.setProperty(n, "bUpdatePic", !id_model.get(n).bUpdatePic)
    }
    function check_previous_picture() { if (id_list.currentIndex > 0) select_and_open(id_list.currentIndex - 1) }
    function check_next_picture() { if (id_list.currentIndex + 1 < id_model.count) select_and_open(id_list.currentIndex + 1) }

    ListView {
        id: id_list
        anchors.centerIn: parent
        width: Math.min(parent.width - 8, contentWidth)
        height: 44
        orientation: ListView.Horizontal
        clip: true
        spacing: 4
        model: id_model
        highlightFollowsCurrentItem: false
        delegate: Rectangle {
            objectName: "pic_thumb_" + index
            width: 56; height: 44
            color: "transparent"
            border.width: (id_thumb_mouse.containsMouse || ListView.isCurrentItem) ? 2 : 0
            border.color: ItemCommonClr.clrPress
            WndPicPreview {
                id: id_thumb
                x: 2; y: 2; width: 52; height: 40
                n_width_preview: 52
                b_jpg: bJpg
                str_pic_path: strPicPath
                property bool bUpdate: bUpdatePic
                onBUpdateChanged: update_pic_preview()
            }
            MouseArea {
                id: id_thumb_mouse
                anchors.fill: parent
                hoverEnabled: true
                onPressed: id_strip.select_and_open(index)
                onContainsMouseChanged: id_strip.strHoverName = containsMouse ? strPicName : ""
            }
        }
    }
    Text {
        objectName: "text_thumb_tip"
        visible: id_strip.strHoverName !== ""
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.top; bottomMargin: 4 }
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        text: id_strip.strHoverName
        Rectangle { anchors.fill: parent; anchors.margins: -3; z: -1; color: ItemCommonClr.clrTitleBackground }
    }
}
