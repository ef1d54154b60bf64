import QtQuick 2.15
import "../common"

// Player toolbar: play, pause, stop, frame stepping, speed and play mode.
Rectangle {
    id: id_bar
    objectName: "toolbar_player_ctrl"
    color: ItemCommonClr.clrTitleBackground
    property bool bPlaying: false
    property real fSpeed: 1.0
    property int nPlayMode: ItemCommonDef.idBtnPlayList
    property string strFrameText: ""

    signal sig_press_btn(int n_id)
    signal sig_speed(real f_speed)
    signal sig_mode(int n_mode)

    readonly property var speeds: [
        { text: qsTr("逐帧"), value: 0.001 }, { text: "1/32x", value: 0.03125 }, { text: "1/16x", value: 0.0625 },
        { text: "1/8x", value: 0.125 }, { text: "1/4x", value: 0.25 }, { text: "1/2x", value: 0.5 },
        { text: "1x", value: 1 }, { text: "2x", value: 2 }, { text: "4x", value: 4 }, { text: "8x", value: 8 },
        { text: qsTr("最快"), value: 100 }
    ]
    readonly property var modes: [
        { text: qsTr("顺序播放"), value: ItemCommonDef.idBtnPlayList },
        { text: qsTr("列表循环"), value: ItemCommonDef.idBtnPlayListLoop },
        { text: qsTr("单个播放"), value: ItemCommonDef.idBtnPlaySingle },
        { text: qsTr("单个循环"), value: ItemCommonDef.idBtnPlaySingleLoop }
    ]

    Column {
        anchors { left: parent.left; right: parent.right; verticalCenter: parent.verticalCenter }
        anchors.leftMargin: 6
        spacing: 2
        Row {
            spacing: 2
            ItemIRToolButton { objectName: "btn_player_first"; nBtnId: ItemCommonDef.idBtnPlayerFirst; strText: qsTr("首帧"); onSig_press_btn: id_bar.sig_press_btn(n_id) }
            ItemIRToolButton { objectName: "btn_player_pre"; nBtnId: ItemCommonDef.idBtnPlayerPre; strText: qsTr("上一帧"); onSig_press_btn: id_bar.sig_press_btn(n_id) }
            ItemIRToolButton {
                objectName: "btn_player_play"
                nBtnId: id_bar.bPlaying ? ItemCommonDef.idBtnPlayerPause : ItemCommonDef.idBtnPlayerPlay
                strText: id_bar.bPlaying ? qsTr("暂停") : qsTr("播放")
                onSig_press_btn: id_bar.sig_press_btn(n_id)
            }
            ItemIRToolButton { objectName: "btn_player_stop"; nBtnId: ItemCommonDef.idBtnPlayerStop; strText: qsTr("停止"); onSig_press_btn: id_bar.sig_press_btn(n_id) }
            ItemIRToolButton { objectName: "btn_player_next"; nBtnId: ItemCommonDef.idBtnPlayerNext; strText: qsTr("下一帧"); onSig_press_btn: id_bar.sig_press_btn(n_id) }
            ItemIRToolButton { objectName: "btn_player_last"; nBtnId: ItemCommonDef.idBtnPlayerLast; strText: qsTr("末帧"); onSig_press_btn: id_bar.sig_press_btn(n_id) }
            ItemIRToolButton { objectName: "btn_video_edit"; nBtnId: ItemCommonDef.idBtnVideoEdit; strText: qsTr("视频剪辑"); onSig_press_btn: id_bar.sig_press_btn(n_id) }
            Item { width: 12; height: 1 }
            Text {
                objectName: "text_player_frame"
                anchors.verticalCenter: parent.verticalCenter
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextLabel
                font.pixelSize: 12
                text: id_bar.strFrameText
            }
        }
        Row {
            spacing: 2
            Repeater {
                model: id_bar.speeds
                ItemIRToolButton {
                    objectName: "btn_speed_" + index
                    strText: modelData.text
                    bChecked: id_bar.fSpeed === modelData.value
                    onSig_press_btn: id_bar.sig_speed(modelData.value)
                }
            }
            Item { width: 12; height: 1 }
            Repeater {
                model: id_bar.modes
                ItemIRToolButton {
                    objectName: "btn_mode_" + modelData.value
                    strText: modelData.text
                    bChecked: id_bar.nPlayMode === modelData.value
                    onSig_press_btn: id_bar.sig_mode(modelData.value)
                }
            }
        }
    }
}
