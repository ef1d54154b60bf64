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
    property bool bFilling: false

    function update_ir_property() {
        if (wndIRShow === null) return
        var json = wndIRShow.get_ir_property()
        bFilling = true
        id_emiss.strValue = json["strSettingEmiss"] || ""
        id_dist.strValue = json["strSettingDist"] || ""
        id_temp.strValue = json["strSettingTemp"] || ""
        id_ref.strValue = json["strSettingKeyEnviromentReference"] || ""
        id_hum.strValue = json["strSettingRelHum"] || ""
        id_mdf.strValue = json["strSettingMdf"] || ""
        bFilling = false
        id_pic_setting.visible = !wndIRShow.is_sgcc_image()
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
        Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("参数设置") }
        ItemIRSettingField { id: id_emiss; strLabel: qsTr("发射率"); strKey: "strSettingEmiss"; bFilling: id_prop.bFilling
            validator: DoubleValidator { bottom: 0; top: 1; decimals: 2; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_prop.set_setting(json) }
        ItemIRSettingField { id: id_dist; strLabel: qsTr("距离(m)"); strKey: "strSettingDist"; bFilling: id_prop.bFilling
            validator: DoubleValidator { bottom: 0; decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_prop.set_setting(json) }
        ItemIRSettingField { id: id_temp; strLabel: qsTr("环境温度"); strKey: "strSettingTemp"; bFilling: id_prop.bFilling
            validator: DoubleValidator { decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_prop.set_setting(json) }
        ItemIRSettingField { id: id_ref; strLabel: qsTr("反射温度"); strKey: "strSettingKeyEnviromentReference"; bFilling: id_prop.bFilling
            validator: DoubleValidator { bottom: -273.0; top: 3000.0; decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_prop.set_setting(json) }
        ItemIRSettingField { id: id_hum; strLabel: qsTr("相对湿度(%)"); strKey: "strSettingRelHum"; bFilling: id_prop.bFilling
            validator: IntValidator { bottom: 0; top: 100 }
            onSig_set_setting: id_prop.set_setting(json) }
        ItemIRSettingField { id: id_mdf; strLabel: qsTr("修正温度"); strKey: "strSettingMdf"; bFilling: id_prop.bFilling
            validator: DoubleValidator { decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_prop.set_setting(json) }
        ItemIRToolButton { objectName: "btn_default_param"; strText: qsTr("恢复默认参数")
            onSig_press_btn: { id_prop.set_setting({"strSettingDefaultParam": true}); id_prop.update_ir_property() } }
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
            onSig_set_setting: if (id_prop.wndIRShow !== null) id_prop.wndIRShow.set_ir_setting(json)
        }
    }
}
