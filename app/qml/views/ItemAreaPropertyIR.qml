import QtQuick 2.15
import "../common"

// Property column of an IR window: the picture's measuring parameters and
// temperatures, and the selected analysis object's temperatures and own
// parameters.
Rectangle {
    id: id_prop
    objectName: "area_property_ir"
    color: ItemCommonClr.clrBackground
    property var wndIRShow: null
    property int nCurAna: 0
    // Pictures carry a voice note; recordings have none.
    property bool bVoiceNote: true

    function update_ir_property() {
        if (wndIRShow === null) return
        var json = wndIRShow.get_ir_property()
        id_param.update_setting(json)
        id_pic_setting.visible = bVoiceNote && !wndIRShow.is_sgcc_image()
        id_pic_setting.update_setting(json)
        update_ir_temp_info()
    }
    function update_ir_temp_info() {
        if (wndIRShow === null) return
        var json = wndIRShow.get_ir_temp_info()
        id_max.text = qsTr("最高温: ") + (json["strSettingMaxTemp"] || "")
        id_min.text = qsTr("最低温: ") + (json["strSettingMinTemp"] || json["setSettingMinTemp"] || "")
        update_ana_temp_info()
    }
    function update_ana_temp_info() {
        if (wndIRShow === null || nCurAna === 0) { id_ana_text.text = ""; return }
        var json = wndIRShow.get_cur_ana_temp_info()
        id_ana_text.text = wndIRShow.get_ana_alias() + "  " + qsTr("最高") + (json["strSettingAnaTextMax"] || "")
                + " " + qsTr("最低") + (json["strSettingAnaTextMin"] || "")
                + " " + qsTr("平均") + (json["strSettingAnaTextAvg"] || "")
    }
    function update_pic_sound_sec(n_sec) { id_pic_setting.update_pic_sound_sec(n_sec) }
    function set_setting(json) {
        if (wndIRShow !== null) wndIRShow.set_ir_property(json)
    }

    Column {
        x: 10; y: 10
        spacing: 6
        ItemContentIRParamSetting {
            id: id_param
            strTitle: qsTr("参数设置")
            nLabelWidth: 110
            onSig_set_setting: {
                id_prop.set_setting(json)
                if (json["strSettingDefaultParam"] !== undefined)
                    id_prop.update_ir_property()
            }
        }
        Item { width: 1; height: 8 }
        Text { id: id_max; objectName: "text_max_temp"; textFormat: Text.PlainText; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12 }
        Text { id: id_min; objectName: "text_min_temp"; textFormat: Text.PlainText; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12 }
        Item { width: 1; height: 8 }
        Text { visible: id_prop.nCurAna !== 0; textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("分析对象") }
        Text { id: id_ana_text; objectName: "text_ana_temp"; width: id_prop.width - 20; wrapMode: Text.Wrap
            textFormat: Text.PlainText; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12 }
        Item { width: 1; height: 8 }
        ItemContentIRPicSetting {
            id: id_pic_setting
            visible: id_prop.bVoiceNote
            onSig_set_setting: if (id_prop.wndIRShow !== null) id_prop.wndIRShow.set_ir_setting(json)
        }
    }
}
