import QtQuick 2.15
import QtQuick.Dialogs 1.3
import "../common"
import "../alarms"

// Recording settings of one camera (ms_name, its serial number): folder,
// single file size, frame rate, file type, total duration and what happens
// when the disk runs short. Every choice is stored in DataConfig at once.
Rectangle {
    id: id_setting
    objectName: "content_record_setting"
    property string ms_name: ""
    property string strFolder: ""
    property string strFreeSpace: ""
    readonly property var sizeTexts: ["100MB", "200MB", "300MB"]
    readonly property var rateValues: [0, 1, 2, 5, 10, 15, 20, 25, 50]
    readonly property var typeTexts: [".irv", ".h264", ".avi"]

    signal sig_close()

    width: id_grid.implicitWidth + 28
    height: id_head.height + id_grid.implicitHeight + 28
    color: ItemCommonClr.clrBackground
    border.color: ItemCommonClr.clrTextBroder

    // Reads the seven settings of the camera again.
    function load() {
        strFolder = DataConfig.get_record_path(ms_name)
        var size = sizeTexts.indexOf(DataConfig.get_record_file_size(ms_name))
        id_size.nCurIndex = size < 0 ? 0 : size
        var rate = rateValues.indexOf(DataConfig.get_record_frequency(ms_name))
        id_rate.nCurIndex = rate < 0 ? 0 : rate
        var type = DataConfig.get_record_file_type(ms_name)
        id_type.nCurIndex = type >= 0 && type < typeTexts.length ? type : 0
        id_unlimited.checked = DataConfig.get_record_unlimit(ms_name)
        id_minutes.text = String(DataConfig.get_record_duration(ms_name))
        id_stop.checked = DataConfig.get_record_stop_mode(ms_name)
        update_free_space()
    }
    function update_free_space() {
        strFreeSpace = strFolder === "" ? ItemCommonText.strTextUnknown : GlobalFunction.get_dist_free_space(strFolder)
    }
    // Stores the folder a dialog chose (a file: URL).
    function set_folder(url) {
        strFolder = GlobalFunction.local_path_of_url(url)
        DataConfig.set_record_path(ms_name, strFolder)
        update_free_space()
    }

    onVisibleChanged: if (visible) load()

    Timer {
        interval: 5000
        repeat: true
        running: id_setting.visible
        onTriggered: id_setting.update_free_space()
    }

    ItemWndHead {
        id: id_head
        strTitle: qsTr("录像设置")
        closeObjectName: "btn_record_setting_close"
        onSig_close: id_setting.sig_close()
    }

    Grid {
        id: id_grid
        anchors { left: parent.left; top: id_head.bottom; margins: 14 }
        columns: 2
        columnSpacing: 10
        rowSpacing: 10
        verticalItemAlignment: Grid.AlignVCenter

        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("保存路径") }
        Row {
            spacing: 6
            Rectangle {
                width: 210
                height: 24
                color: ItemCommonClr.clrClientBackground
                border.color: ItemCommonClr.clrTextBroder
                Text {
                    objectName: "text_record_folder"
                    anchors { fill: parent; leftMargin: 4; rightMargin: 4 }
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideMiddle
                    textFormat: Text.PlainText
                    color: ItemCommonClr.clrTextButton
                    font.pixelSize: 12
                    text: id_setting.strFolder
                }
            }
            ItemWarningButton {
                objectName: "btn_record_folder"
                strText: "..."
                onSig_clicked: id_folder_dialog.active = true
            }
        }

        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("剩余空间") }
        Text {
            objectName: "text_record_free_space"
            width: 240
            elide: Text.ElideRight
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            text: id_setting.strFreeSpace
        }

        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("单个文件大小") }
        ItemWarningCombo {
            id: id_size
            objectName: "combo_record_size"
            width: 100
            listText: id_setting.sizeTexts
            onSig_activated: DataConfig.set_record_file_size(id_setting.ms_name, id_setting.sizeTexts[n_index])
        }

        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("帧率") }
        ItemWarningCombo {
            id: id_rate
            objectName: "combo_record_rate"
            width: 100
            listText: id_setting.rateValues.map(function(n) { return n === 0 ? qsTr("实时") : String(n) })
            onSig_activated: DataConfig.set_record_frequency(id_setting.ms_name, id_setting.rateValues[n_index])
        }

        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("文件类型") }
        ItemWarningCombo {
            id: id_type
            objectName: "combo_record_type"
            width: 100
            listText: id_setting.typeTexts
            onSig_activated: DataConfig.set_record_file_type(id_setting.ms_name, n_index)
        }

        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("总录像时长") }
        Row {
            spacing: 10
            ItemCustomRadio {
                id: id_unlimited
                objectName: "check_record_unlimited"
                bSquare: true
                strText: qsTr("无限制")
                onSig_clicked: {
                    checked = !checked
                    DataConfig.set_record_unlimit(id_setting.ms_name, checked)
                }
            }
            Rectangle {
                width: 60
                height: 24
                color: ItemCommonClr.clrClientBackground
                border.color: ItemCommonClr.clrTextBroder
                opacity: enabled ? 1.0 : 0.4
                enabled: !id_unlimited.checked
                TextInput {
                    id: id_minutes
                    objectName: "input_record_minutes"
                    anchors { fill: parent; margins: 4 }
                    color: ItemCommonClr.clrTextButton
                    font.pixelSize: 12
                    selectByMouse: true
                    validator: IntValidator { bottom: 1; top: 1000000 }
                    onTextEdited: if (acceptableInput) DataConfig.set_record_duration(id_setting.ms_name, parseInt(text, 10))
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextLabel
                font.pixelSize: 12
                text: qsTr("分钟")
            }
        }

        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("空间不足时") }
        Row {
            spacing: 16
            ItemCustomRadio {
                id: id_stop
                objectName: "radio_record_stop"
                strText: qsTr("停止录像 ")
                onSig_clicked: {
                    checked = true
                    DataConfig.set_record_stop_mode(id_setting.ms_name, true)
                }
            }
            ItemCustomRadio {
                objectName: "radio_record_delete"
                strText: qsTr("删除最早视频")
                checked: !id_stop.checked
                onSig_clicked: {
                    id_stop.checked = false
                    DataConfig.set_record_stop_mode(id_setting.ms_name, false)
                }
            }
        }

        Item { width: 1; height: 1 }
        Text {
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 11
            text: qsTr("录像存储空间需（大于2GB）")
        }
    }

    Loader {
        id: id_folder_dialog
        active: false
        sourceComponent: FileDialog {
            title: qsTr("录像保存路径")
            selectFolder: true
            folder: GlobalFunction.url_of_local_path(id_setting.strFolder)
            Component.onCompleted: open()
            onAccepted: { id_setting.set_folder(fileUrl); id_folder_dialog.active = false }
            onRejected: id_folder_dialog.active = false
        }
    }
}
