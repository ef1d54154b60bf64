import QtQuick 2.15
import "../common"

// Recent folders under the folder tree, newest first. Pressing an entry that
// is not the current one makes it current and asks for that folder.
Column {
    id: id_history
    objectName: "path_history"

    property string strCurPath: ""
    readonly property int nRowHeight: 20

    signal sig_checkout_path(string path)

    function update_history() {
        var entries = DataConfig.get_browsing_history()
        id_entries.clear()
        for (var i = 0; i < entries.length; ++i)
            id_entries.append({ DirName: entries[i].strSettingHistoryName, DirPath: entries[i].strSettingHistoryPath })
    }
    function clear_cur_path() { strCurPath = "" }

    Component.onCompleted: update_history()

    ListModel { id: id_entries }

    Rectangle {
        width: id_history.width
        height: 26
        color: ItemCommonClr.clrTitleBackground
        Image {
            id: id_icon
            x: 6
            anchors.verticalCenter: parent.verticalCenter
            sourceSize: Qt.size(14, 14)
            source: "qrc:/images/common/btn_expand.svg"
        }
        Text {
            objectName: "history_header"
            anchors { left: id_icon.right; leftMargin: 6; right: id_fold.left; verticalCenter: parent.verticalCenter }
            elide: Text.ElideRight
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            text: qsTr("最近访问")
        }
        ItemCustomBtnExpand {
            id: id_fold
            objectName: "history_fold"
            anchors { right: parent.right; rightMargin: 4; verticalCenter: parent.verticalCenter }
        }
    }

    Repeater {
        model: id_fold.bExpand ? id_entries : null
        delegate: Rectangle {
            objectName: "history_entry_" + index
            width: id_history.width
            height: id_history.nRowHeight
            color: DirPath === id_history.strCurPath ? ItemCommonClr.clrCurBackgroud
                 : id_entry_mouse.containsMouse ? ItemCommonClr.clrPreviewHover : ItemCommonClr.clrTransparent
            Text {
                x: 26
                width: parent.width - x - 4
                anchors.verticalCenter: parent.verticalCenter
                elide: Text.ElideMiddle
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextSecLv
                text: DirName
            }
            MouseArea {
                id: id_entry_mouse
                anchors.fill: parent
                hoverEnabled: true
                onPressed: {
                    if (DirPath === id_history.strCurPath)
                        return
                    id_history.strCurPath = DirPath
                    id_history.sig_checkout_path(DirPath)
                }
            }
        }
    }
}
