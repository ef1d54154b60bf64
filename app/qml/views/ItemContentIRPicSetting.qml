import QtQuick 2.15
import "../common"

// The picture panel of the property column: the site data kept with the
// picture (weather, wind speed, voltage, current, text note; position and
// preset as the camera wrote them) and its voice note, with play, delete and
// record (at most 30 seconds). SGCC pictures keep no voice note.
Column {
    id: id_setting
    objectName: "content_ir_pic_setting"
    spacing: 6

    property var wndIRShow: null
    property bool bSgcc: false
    // Set when the recording could not start (no audio input).
    property string strAudioError: ""
    property bool mb_record_audio: false
    property bool mb_has_audio: false
    property int mn_audio_record_count: 0
    property int mn_audio_play_count: 0
    property int mn_sound_sec: 0
    property string ms_sound_time: "00:00"
    property string ms_play_sound: "00:00"
    // True while the fields are filled from the picture: nothing is sent.
    property bool mb_update_setting: false
    property int mn_weather: 0
    property bool mbWeatherOpen: false
    property string msPosition: ""
    property string msPreset: ""
    property int nLabelWidth: 110
    // Weather 1..7 as the user data names them; 0 not given.
    readonly property var arrWeather: [qsTr("无"), qsTr("晴朗"), qsTr("多云"), qsTr("小雨"), qsTr("中雨"), qsTr("大雨"), qsTr("雾"), qsTr("雪")]

    signal sig_set_setting(var json)

    function seconds_text(n) { return n < 10 ? "00:0" + n : "00:" + n }
    function update_setting(json) {
        if (mb_record_audio) stop_record()
        strAudioError = ""
        mb_has_audio = json["strSettingAudioPlay"] !== undefined
        mb_update_setting = true
        mn_weather = json["strSettingWeather"] || 0
        mbWeatherOpen = false
        id_wind.strValue = json["strSettingWindSpeed"] || ""
        id_voltage.strValue = json["strSettingVoltage"] || ""
        id_current.strValue = json["strSettingCurrent"] || ""
        id_pic_text.strValue = json["strSettingPicText"] || ""
        var position = [json["strSettingLongitude"], json["strSettingLatitude"], json["strSettingAltitude"]]
        msPosition = position.filter(function(p) { return p !== undefined && p !== "" }).join("  ")
        msPreset = json["strSettingPresetText"] || ""
        mb_update_setting = false
    }
    function choose_weather(n) {
        mbWeatherOpen = false
        mn_weather = n
        sig_set_setting({"strSettingWeather": n})
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
        // Without an audio input nothing records: no count runs and the
        // picture keeps its note.
        if (wndIRShow === null || !wndIRShow.is_recording_sound()) {
            strAudioError = qsTr("无法开始录音！")
            return
        }
        strAudioError = ""
        mb_record_audio = true
        mn_audio_record_count = 0
        ms_sound_time = "00:00"
        id_record_timer.restart()
    }
    function stop_record() {
        id_record_timer.stop()
        mb_record_audio = false
        sig_set_setting({"strSettingAudioRecordStop": 1})
        // A recording that brought no sound left the old note (or none).
        if (wndIRShow !== null) mb_has_audio = wndIRShow.get_ir_property()["strSettingAudioPlay"] !== undefined
    }

    Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("现场信息") }
    Row {
        spacing: 6
        height: 26
        Text { width: id_setting.nLabelWidth; elide: Text.ElideRight; anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("天气") }
        Rectangle {
            objectName: "combo_weather"
            width: 120; height: 24
            color: ItemCommonClr.clrClientBackground
            border.color: id_setting.mbWeatherOpen ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
            Text { x: 4; anchors.verticalCenter: parent.verticalCenter; textFormat: Text.PlainText
                color: ItemCommonClr.clrTextButton; font.pixelSize: 12; text: id_setting.arrWeather[id_setting.mn_weather] || "" }
            Text { anchors { right: parent.right; rightMargin: 4; verticalCenter: parent.verticalCenter }
                color: ItemCommonClr.clrTextLabel; font.pixelSize: 10; text: "▼" }
            MouseArea { anchors.fill: parent; onClicked: id_setting.mbWeatherOpen = !id_setting.mbWeatherOpen }
        }
    }
    // The weather choices open under the field.
    Flow {
        visible: id_setting.mbWeatherOpen
        width: id_setting.nLabelWidth + 126
        spacing: 2
        Repeater {
            model: id_setting.arrWeather
            ItemIRToolButton { objectName: "weather_" + index; height: 24; strText: modelData
                bChecked: id_setting.mn_weather === index; onSig_press_btn: id_setting.choose_weather(index) }
        }
    }
    ItemIRSettingField { id: id_wind; strLabel: qsTr("风速(m/s)"); strKey: "strSettingWindSpeed"; nLabelWidth: id_setting.nLabelWidth
        validator: DoubleValidator { bottom: 0; decimals: 1; notation: DoubleValidator.StandardNotation }
        bFilling: id_setting.mb_update_setting; onSig_set_setting: id_setting.sig_set_setting(json) }
    ItemIRSettingField { id: id_voltage; strLabel: qsTr("运行电压(kV)"); strKey: "strSettingVoltage"; nLabelWidth: id_setting.nLabelWidth
        bFilling: id_setting.mb_update_setting; onSig_set_setting: id_setting.sig_set_setting(json) }
    ItemIRSettingField { id: id_current; strLabel: qsTr("负荷电流(A)"); strKey: "strSettingCurrent"; nLabelWidth: id_setting.nLabelWidth
        validator: DoubleValidator { bottom: 0; decimals: 1; notation: DoubleValidator.StandardNotation }
        bFilling: id_setting.mb_update_setting; onSig_set_setting: id_setting.sig_set_setting(json) }
    ItemIRSettingField { id: id_pic_text; strLabel: qsTr("文字备注"); strKey: "strSettingPicText"; nLabelWidth: id_setting.nLabelWidth
        bFilling: id_setting.mb_update_setting; onSig_set_setting: id_setting.sig_set_setting(json) }
    Text { objectName: "text_position"; width: id_setting.nLabelWidth + 126; wrapMode: Text.Wrap; textFormat: Text.PlainText
        color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12
        text: qsTr("位置") + ItemCommonText.strColon + (id_setting.msPosition !== "" ? id_setting.msPosition : ItemCommonText.strTextUnknown) }
    Text { objectName: "text_preset"; width: id_setting.nLabelWidth + 126; wrapMode: Text.Wrap; textFormat: Text.PlainText
        color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12
        text: qsTr("预置位") + ItemCommonText.strColon + (id_setting.msPreset !== "" ? id_setting.msPreset : ItemCommonText.strTextUnknown) }
    Item { width: 1; height: 4; visible: !id_setting.bSgcc }
    Text { visible: !id_setting.bSgcc; textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("语音备注") }
    Row {
        objectName: "row_voice_note"
        visible: !id_setting.bSgcc
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
    Text {
        objectName: "text_audio_error"
        visible: !id_setting.bSgcc && id_setting.strAudioError !== ""
        width: id_setting.nLabelWidth + 126
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        color: "#FF4040"
        font.pixelSize: 12
        text: id_setting.strAudioError
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
