import QtQuick 2.15
import "../common"

// Measuring parameters of a picture: each field sends its key as soon as its
// text changes; a picture object with "bSgcc" true shows them read-only and
// without the default button, which a camera does not show either.
Column {
    id: id_param
    objectName: "ir_param_setting"
    property string strTitle: ""
    property bool bSgcc: false
    property bool bCamera: false
    property bool bFilling: false
    // Wide enough for the labels in every language.
    property int nLabelWidth: 130

    signal sig_set_setting(var json)
    // A refused field was left: the picture's values are wanted back.
    signal sig_restore()

    spacing: 6

    // Marks the field of key as refused (or not).
    function set_refused(key, b_refused) {
        var fields = [id_emiss, id_dist, id_temp, id_ref, id_hum, id_mdf]
        for (var i = 0; i < fields.length; ++i)
            if (fields[i].strKey === key || key === "") fields[i].bRefused = b_refused
    }
    function update_setting(json) {
        set_refused("", false)
        bFilling = true
        bSgcc = json["bSgcc"] === true
        id_emiss.strValue = json["strSettingEmiss"] || ""
        id_dist.strValue = json["strSettingDist"] || ""
        id_temp.strValue = json["strSettingTemp"] || ""
        id_ref.strValue = json["strSettingKeyEnviromentReference"] || ""
        id_hum.strValue = json["strSettingRelHum"] || ""
        id_mdf.strValue = json["strSettingMdf"] || ""
        bFilling = false
    }

    Text {
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 14
        text: id_param.strTitle
    }
    Column {
        spacing: 6
        enabled: !id_param.bSgcc
        ItemIRSettingField { id: id_emiss; strLabel: qsTr("发射率"); strKey: "strSettingEmiss"; nLabelWidth: id_param.nLabelWidth; bFilling: id_param.bFilling
            validator: DoubleValidator { bottom: 0; top: 1; decimals: 2; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_param.sig_set_setting(json); onSig_restore: id_param.sig_restore() }
        ItemIRSettingField { id: id_dist; strLabel: qsTr("距离(m)"); strKey: "strSettingDist"; nLabelWidth: id_param.nLabelWidth; bFilling: id_param.bFilling
            validator: DoubleValidator { bottom: 0; decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_param.sig_set_setting(json); onSig_restore: id_param.sig_restore() }
        ItemIRSettingField { id: id_temp; strLabel: qsTr("环境温度"); strKey: "strSettingTemp"; nLabelWidth: id_param.nLabelWidth; bFilling: id_param.bFilling
            validator: DoubleValidator { decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_param.sig_set_setting(json); onSig_restore: id_param.sig_restore() }
        ItemIRSettingField { id: id_ref; strLabel: qsTr("反射温度"); strKey: "strSettingKeyEnviromentReference"; nLabelWidth: id_param.nLabelWidth
            visible: !id_param.bSgcc; bFilling: id_param.bFilling
            validator: DoubleValidator { bottom: -273.0; top: 3000.0; decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_param.sig_set_setting(json); onSig_restore: id_param.sig_restore() }
        ItemIRSettingField { id: id_hum; strLabel: qsTr("相对湿度(%)"); strKey: "strSettingRelHum"; nLabelWidth: id_param.nLabelWidth; bFilling: id_param.bFilling
            validator: IntValidator { bottom: 0; top: 100 }
            onSig_set_setting: id_param.sig_set_setting(json); onSig_restore: id_param.sig_restore() }
        ItemIRSettingField { id: id_mdf; strLabel: qsTr("修正温度"); strKey: "strSettingMdf"; nLabelWidth: id_param.nLabelWidth; bFilling: id_param.bFilling
            validator: DoubleValidator { decimals: 1; notation: DoubleValidator.StandardNotation }
            onSig_set_setting: id_param.sig_set_setting(json); onSig_restore: id_param.sig_restore() }
    }
    ItemIRToolButton {
        objectName: "btn_default_param"
        visible: !id_param.bSgcc && !id_param.bCamera
        strText: qsTr("恢复默认参数")
        onSig_press_btn: id_param.sig_set_setting({"strSettingDefaultParam": true})
    }
}
