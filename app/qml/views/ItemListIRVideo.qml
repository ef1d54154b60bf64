import QtQuick 2.15
import "../common"

// The marks of the open recording: "+" marks the current frame, a double
// click goes to a mark, the delete button removes the selected one and the
// edit button names it. While a trend analysis runs the marks stay as they
// are and the list says why.
Rectangle {
    id: id_list
    objectName: "list_ir_video_marks"
    color: ItemCommonClr.clrClientBackground
    property var wndIRShow: null
    property int nSelected: -1
    // The row whose text is being edited, or -1.
    property int nEditing: -1
    property bool bTrendRunning: false

    signal sig_go_to_mark(int n_frame)
    signal sig_refused(string str_text)

    function add_mark() {
        if (bTrendRunning) { sig_refused(qsTr("趋势分析中，无法添加视频标注！")); return }
        if (wndIRShow && wndIRShow.insert_mark("") >= 0) update_marks()
    }
    function remove_mark() {
        if (nSelected < 0 || !wndIRShow) return
        if (bTrendRunning) { sig_refused(qsTr("趋势分析中，无法删除视频标注！")); return }
        if (wndIRShow.remove_mark(id_model.get(nSelected).frame)) {
            nSelected = -1
            update_marks()
        }
    }
    function edit_mark() {
        if (nSelected < 0 || !wndIRShow) return
        if (bTrendRunning) { sig_refused(qsTr("趋势分析中，无法编辑视频标注！")); return }
        nEditing = nSelected
    }
    function finish_edit(text) {
        var row = nEditing
        nEditing = -1
        if (row < 0 || row >= id_model.count || !wndIRShow) return
        var mark = id_model.get(row)
        if (text !== mark.info && wndIRShow.update_mark(mark.frame, text)) update_marks()
    }

    function update_marks() {
        id_model.clear()
        if (!wndIRShow) return
        var marks = wndIRShow.get_all_mark()
        for (var i = 0; i < marks.length; ++i) {
            id_model.append({ frame: marks[i].strSettingMarkFrame, info: marks[i].strSettingMarkInfo })
        }
        if (nSelected >= id_model.count) nSelected = -1
        nEditing = -1
    }

    ListModel { id: id_model }

    Row {
        id: id_head
        x: 6
        height: 34
        spacing: 4
        // The heading gives way to the buttons on a narrow list.
        ItemElidedText {
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, Math.min(implicitWidth, id_list.width - 12 - 3 * id_head.spacing - id_mark_add.width
                                                       - id_mark_delete.width - id_mark_edit.width))
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 13
            text: qsTr("视频标注")
        }
        ItemIRToolButton {
            id: id_mark_add
            objectName: "btn_mark_add"
            anchors.verticalCenter: parent.verticalCenter
            strText: "+"
            onSig_press_btn: id_list.add_mark()
        }
        ItemIRToolButton {
            id: id_mark_delete
            objectName: "btn_mark_delete"
            anchors.verticalCenter: parent.verticalCenter
            strText: qsTr("删除")
            enabled: id_list.nSelected >= 0
            onSig_press_btn: id_list.remove_mark()
        }
        ItemIRToolButton {
            id: id_mark_edit
            objectName: "btn_mark_edit"
            anchors.verticalCenter: parent.verticalCenter
            strText: qsTr("编辑")
            enabled: id_list.nSelected >= 0
            onSig_press_btn: id_list.edit_mark()
        }
    }

    ListView {
        id: id_view
        objectName: "view_marks"
        anchors { left: parent.left; right: parent.right; top: id_head.bottom; bottom: parent.bottom }
        clip: true
        model: id_model
        delegate: Rectangle {
            objectName: "mark_" + model.frame
            width: id_view.width
            height: 26
            color: index === id_list.nSelected ? ItemCommonClr.clrPress : ItemCommonClr.clrTransparent
            Text {
                id: id_frame_text
                anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
                width: index === id_list.nEditing ? implicitWidth : parent.width - 16
                elide: Text.ElideRight
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextLabel
                font.pixelSize: 12
                text: (model.frame + 1) + "  " + (index === id_list.nEditing ? "" : model.info)
            }
            MouseArea {
                anchors.fill: parent
                onClicked: id_list.nSelected = index
                onDoubleClicked: { id_list.nSelected = index; id_list.sig_go_to_mark(model.frame) }
            }
            Loader {
                anchors { left: id_frame_text.right; right: parent.right; rightMargin: 4; verticalCenter: parent.verticalCenter }
                active: id_list.nEditing >= 0 && index === id_list.nEditing
                sourceComponent: ItemCustomTextField {
                    objectName: "input_mark_text"
                    text: model.info
                    Component.onCompleted: { forceActiveFocus(); selectAll() }
                    onAccepted: id_list.finish_edit(text)
                    onActiveFocusChanged: if (!activeFocus && id_list.nEditing === index) id_list.finish_edit(text)
                }
            }
        }
    }
}
