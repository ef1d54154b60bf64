import QtQuick 2.15
import "../common"

// The dialog of copying temperatures: the whole picture and every analysis
// object as a list of choices; the ticked ones go to the clipboard.
Rectangle {
    id: id_dlg
    objectName: "wnd_copy_temp"
    width: 300
    height: Math.min(360, 96 + id_list.count * 26)
    visible: false
    z: 10
    color: ItemCommonClr.clrTitleBackground
    border.color: ItemCommonClr.clrBackground

    property var wndIRShow: null
    property string strResult: ""

    function show_choices() {
        id_model.clear()
        var choices = wndIRShow.get_copy_temp_ana_info()
        for (var i = 0; i < choices.length; ++i) {
            id_model.append({"nId": choices[i]["h_ana"], "strName": choices[i]["name"], "bChecked": i === 0})
        }
        strResult = ""
        visible = true
    }
    function copy() {
        var ids = []
        for (var i = 0; i < id_model.count; ++i) {
            if (id_model.get(i).bChecked) ids.push(id_model.get(i).nId)
        }
        visible = false
        var ok = wndIRShow.copy_temp(ids)
        strResult = ok ? qsTr("复制温度成功") : qsTr("复制温度失败")
        return ok
    }

    Text {
        x: 10; y: 8
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 13
        text: qsTr("复制温度")
    }
    ListModel { id: id_model }
    ListView {
        id: id_list
        x: 10; y: 34
        width: parent.width - 20
        height: parent.height - 80
        clip: true
        model: id_model
        delegate: Item {
            width: id_list.width
            height: 26
            Rectangle {
                objectName: "check_copy_" + index
                width: 14; height: 14
                anchors.verticalCenter: parent.verticalCenter
                color: model.bChecked ? ItemCommonClr.clrPress : ItemCommonClr.clrClientBackground
                border.color: ItemCommonClr.clrTextNormal
            }
            Text {
                x: 22
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - 22
                elide: Text.ElideRight
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextSecLv
                font.pixelSize: 12
                text: model.strName
            }
            MouseArea { anchors.fill: parent; onClicked: id_model.setProperty(index, "bChecked", !model.bChecked) }
        }
    }
    Row {
        anchors { right: parent.right; bottom: parent.bottom; margins: 10 }
        spacing: 8
        ItemIRToolButton { objectName: "btn_copy_temp_ok"; strText: qsTr("复制"); onSig_press_btn: id_dlg.copy() }
        ItemIRToolButton { objectName: "btn_copy_temp_cancel"; strText: qsTr("取消"); onSig_press_btn: id_dlg.visible = false }
    }
}
