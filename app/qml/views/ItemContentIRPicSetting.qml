import QtQuick 2.15
import "../common"

// The picture panel of the property column: the picture's voice note, with
// play, delete and record (at most 30 seconds).
Column {
    id: id_setting
    objectName: "content_ir_pic_setting"
    spacing: 6

    property bool mb_record_audio: false
    property bool mb_has_audio: false
    property int mn_audio_record_count: 0
    property int mn_audio_play_count: 0
    property int mn_sound_sec: 0
    property string ms_sound_time: "00:00"
    property string ms_play_sound: "00:00"

    signal sig_set_setting(var json)

    function seconds_text(n) { return n < 10 ? "00:0" + n : "00:" + n }
    function update_setting(json) {
        if (mb_record_audio) stop_record()
        mb_has_audio = json["strSettingAudioPlay"] !== undefined
    }
    function update_pic_sound_sec(n) {
        mn_sound_sec = n
        ms_sound_time = seconds_text(n)
    }
    function play() {
        sig_set_setting({"strSettingAudioPlay": 1})
        mn_audio_play_count = 0
        ms_play_sound = "00:00"
        id_play_timer.restart()
    }
    function remove() {
        sig_set_setting({"strSettingAudioDelete": 1})
        id_play_timer.stop()
        mb_has_audio = false
        update_pic_sound_sec(0)
    }
    function start_record() {
        id_play_timer.stop()
        sig_set_setting({"strSettingAudioRecordStart": 1})
        mb_record_audio = true
        mn_audio_record_count = 0
        ms_sound_time = "00:00"
        id_record_timer.restart()
    }
    function stop_record() {
        id_record_timer.stop()
        mb_record_audio = false
        sig_set_setting({"strSettingAudioRecordStop": 1})
        mb_has_audio = true
    }

    Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("语音备注") }
    Row {
        spacing: 4
        ItemIRToolButton { objectName: "btn_audio_play"; enabled: id_setting.mb_has_audio && !id_setting.mb_record_audio
            strText: qsTr("播放"); strTip: qsTr("播放录音"); onSig_press_btn: id_setting.play() }
        ItemIRToolButton { objectName: "btn_audio_delete"; enabled: id_setting.mb_has_audio && !id_setting.mb_record_audio
            strText: qsTr("删除"); strTip: qsTr("删除录音"); onSig_press_btn: id_setting.remove() }
        ItemIRToolButton { objectName: "btn_audio_record"; bChecked: id_setting.mb_record_audio
            strText: id_setting.mb_record_audio ? qsTr("停止") : qsTr("录音")
            strTip: id_setting.mb_record_audio ? qsTr("结束录音(最大支持30s)") : qsTr("开始录音(最大支持30s)")
            onSig_press_btn: id_setting.mb_record_audio ? id_setting.stop_record() : id_setting.start_record() }
        Text {
            objectName: "text_sound_time"
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
            text: (id_play_timer.running ? id_setting.ms_play_sound + " / " : "") + id_setting.ms_sound_time
        }
    }
    Timer {
        id: id_record_timer
        interval: 1000
        repeat: true
        onTriggered: {
            id_setting.mn_audio_record_count += 1
            id_setting.ms_sound_time = id_setting.seconds_text(id_setting.mn_audio_record_count)
            if (id_setting.mn_audio_record_count >= 30) id_setting.stop_record()
        }
    }
    Timer {
        id: id_play_timer
        interval: 1000
        repeat: true
        onTriggered: {
            id_setting.mn_audio_play_count += 1
            id_setting.ms_play_sound = id_setting.seconds_text(id_setting.mn_audio_play_count)
            if (id_setting.mn_audio_play_count >= id_setting.mn_sound_sec) stop()
        }
    }
}
