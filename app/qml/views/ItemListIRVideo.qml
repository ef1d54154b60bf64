import QtQuick 2.15
import "../common"

// The marks of the open recording: "+" marks the current frame, a double
// click goes to a mark, the delete button removes the selected one.
Rectangle {
    id: id_list
    objectName: "list_ir_video_marks"
    color: ItemCommonClr.clrClientBackground
    property var wndIRShow: null
    property int nSelected: -1

    signal sig_go_to_mark(int n_frame)

    function update_marks() {
        id_model.clear()
        if (!wndIRShow) return
        var marks = wndIRShow.get_all_mark()
        for (var i = 0; i < marks.length; ++i) {
            id_model.append({ frame: marks[i].strSettingMarkFrame, info: marks[i].strSettingMarkInfo })
        }
        if (nSelected >= id_model.count) nSelected = -1
    }

    ListModel { id: id_model }

    Row {
        id: id_head
        x: 6
        height: 34
        spacing: 4
        Text {
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 13
            text: qsTr("视频标注")
        }
        ItemIRToolButton {
            objectName: "btn_mark_add"
            anchors.verticalCenter: parent.verticalCenter
            strText: "+"
            onSig_press_btn: {
                if (id_list.wndIRShow && id_list.wndIRShow.insert_mark("") >= 0) id_list.update_marks()
            }
        }
        ItemIRToolButton {
            objectName: "btn_mark_delete"
            anchors.verticalCenter: parent.verticalCenter
            strText: qsTr("删除")
            enabled: id_list.nSelected >= 0
            onSig_press_btn: {
                if (id_list.nSelected < 0 || !id_list.wndIRShow) return
                if (id_list.wndIRShow.remove_mark(id_model.get(id_list.nSelected).frame)) {
                    id_list.nSelected = -1
                    id_list.update_marks()
                }
            }
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
                anchors { left: parent.left; leftMargin: 8; right: parent.right; verticalCenter: parent.verticalCenter }
                elide: Text.ElideRight
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextLabel
                font.pixelSize: 12
                text: (model.frame + 1) + "  " + model.info
            }
            MouseArea {
                anchors.fill: parent
                onClicked: id_list.nSelected = index
                onDoubleClicked: { id_list.nSelected = index; id_list.sig_go_to_mark(model.frame) }
            }
        }
    }
}
