import QtQuick 2.15
import "../common"

// The panel of the selected analysis object: its alias (renamed here), the
// temperatures its label shows, and its own emissivity and distance.
Column {
    id: id_ana
    objectName: "content_ir_ana_setting"
    spacing: 6

    property var wndIRShow: null
    property int nAnaType: 0
    property bool bSelfPara: false
    property bool bFilling: false
    property string strAliasError: ""
    property int nLabelWidth: 110

    // Fills the fields from the selected object's properties.
    function update_ana_property(json) {
        bFilling = true
        nAnaType = json["strSettingAnaType"] || 0
        bSelfPara = json["strSettingAnaDefaultParam"] === true
        id_max.bChecked = json["strSettingAnaMaxTemp"] === true
        id_min.bChecked = json["strSettingAnaMinTemp"] === true
        id_avg.bChecked = json["strSettingAnaAvgTemp"] === true
        id_emiss.strValue = json["strSettingAnaEmiss"] || ""
        id_dist.strValue = json["strSettingAnaDist"] || ""
        id_alias.text = json["strSettingAnaAlias"] || ""
        strAliasError = ""
        bFilling = false
    }
    function update_ana_param_info() {
        if (wndIRShow === null) return
        var json = wndIRShow.get_cur_ana_param_info()
        bFilling = true
        id_emiss.strValue = json["strSettingAnaEmiss"] || ""
        id_dist.strValue = json["strSettingAnaDist"] || ""
        id_emiss.bRefused = id_dist.bRefused = false
        bFilling = false
    }
    function set_property(json) { return wndIRShow !== null && wndIRShow.set_ana_property(json) }
    function set_self_para(b_on) {
        if (!set_property({"strSettingAnaDefaultParam": b_on})) return
        if (b_on) {
            // Switching on takes the shown values as the object's own.
            set_property({"strSettingAnaEmiss": id_emiss.strValue !== "" ? id_emiss.strValue : "0.95"})
        }
        bSelfPara = b_on
        update_ana_param_info()
    }
    function rename() {
        var alias = id_alias.text
        if (alias === "") strAliasError = qsTr("别名不能为空！")
        else if (alias.length > 20) strAliasError = qsTr("别名过长！")
        else if (wndIRShow === null || !wndIRShow.set_ana_alias(alias)) strAliasError = qsTr("别名重复！")
        else strAliasError = ""
    }

    Row {
        spacing: 6
        height: 26
        Text { width: id_ana.nLabelWidth; elide: Text.ElideRight; anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("分析别名：") }
        Rectangle {
            width: 80; height: 24
            color: ItemCommonClr.clrClientBackground
            border.color: id_alias.activeFocus ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
            TextInput {
                id: id_alias
                objectName: "input_ana_alias"
                anchors.fill: parent
                anchors.margins: 4
                color: ItemCommonClr.clrTextButton
                font.pixelSize: 12
                selectByMouse: true
                clip: true
                onAccepted: id_ana.rename()
            }
        }
        ItemIRToolButton { objectName: "btn_ana_rename"; height: 24; strText: qsTr("确定"); onSig_press_btn: id_ana.rename() }
    }
    Text {
        objectName: "text_alias_error"
        visible: id_ana.strAliasError !== ""
        textFormat: Text.PlainText
        color: "#FF4040"
        font.pixelSize: 12
        text: id_ana.strAliasError
    }
    ItemIRCheck { id: id_max; objectName: "check_ana_max"; strText: id_ana.nAnaType === 0 ? qsTr("显示温度") : qsTr("最高温")
        onSig_toggled: id_ana.set_property({"strSettingAnaMaxTemp": b_checked}) }
    ItemIRCheck { id: id_min; objectName: "check_ana_min"; visible: id_ana.nAnaType !== 0; strText: qsTr("最低温")
        onSig_toggled: id_ana.set_property({"strSettingAnaMinTemp": b_checked}) }
    ItemIRCheck { id: id_avg; objectName: "check_ana_avg"; visible: id_ana.nAnaType !== 0; strText: qsTr("平均温")
        onSig_toggled: id_ana.set_property({"strSettingAnaAvgTemp": b_checked}) }
    ItemIRCheck { objectName: "check_ana_self_para"; strText: qsTr("独立参数"); bChecked: id_ana.bSelfPara
        onSig_toggled: id_ana.set_self_para(b_checked) }
    ItemIRSettingField { id: id_emiss; enabled: id_ana.bSelfPara; strLabel: qsTr("发射率"); strKey: "strSettingAnaEmiss"
        nLabelWidth: id_ana.nLabelWidth; bFilling: id_ana.bFilling
        validator: DoubleValidator { bottom: 0; top: 1; decimals: 2; notation: DoubleValidator.StandardNotation }
        onSig_set_setting: bRefused = !id_ana.set_property(json); onSig_restore: id_ana.update_ana_param_info() }
    ItemIRSettingField { id: id_dist; enabled: id_ana.bSelfPara; strLabel: qsTr("距离(m)"); strKey: "strSettingAnaDist"
        nLabelWidth: id_ana.nLabelWidth; bFilling: id_ana.bFilling
        validator: DoubleValidator { bottom: 0; decimals: 1; notation: DoubleValidator.StandardNotation }
        onSig_set_setting: bRefused = !id_ana.set_property(json); onSig_restore: id_ana.update_ana_param_info() }
}
