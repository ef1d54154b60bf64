import QtQuick 2.15
import QtQuick.Window 2.15
import "../common"

// The panel of the selected analysis object: its alias (renamed here), the
// temperatures its label shows, its hottest and coldest spots, an own
// palette (areas), the cursor (lines), its own emissivity and distance, and
// its line colour (chosen in the main window's colour dialog).
Column {
    id: id_ana
    objectName: "content_ir_ana_setting"
    spacing: 6

    property var wndIRShow: null
    // The selected object's properties as the view last gave them; every
    // check box shows what they say.
    property var jsonAna: ({})
    readonly property int nAnaType: jsonAna["strSettingAnaType"] || 0
    readonly property bool bSelfPara: jsonAna["strSettingAnaDefaultParam"] === true
    readonly property string strLineColor: jsonAna["strSettingAnaLineColor"] || "#000000"
    // Ellipses, rectangles and polygons may have a palette of their own.
    readonly property bool bArea: nAnaType === 20 || nAnaType === 30 || nAnaType === 40
    property bool bFilling: false
    property string strAliasError: ""
    property int nLabelWidth: 110
    // Two check boxes share a row when their texts allow.
    readonly property int nCheckWidth: 117

    // Fills the fields from the selected object's properties.
    function update_ana_property(json) {
        bFilling = true
        jsonAna = json
        id_emiss.strValue = json["strSettingAnaEmiss"] || ""
        id_dist.strValue = json["strSettingAnaDist"] || ""
        id_emiss.bRefused = id_dist.bRefused = false
        id_alias.text = json["strSettingAnaAlias"] || ""
        strAliasError = ""
        bFilling = false
    }
    // The check boxes follow the object after a change.
    function reload_checks() { if (wndIRShow !== null) jsonAna = wndIRShow.get_cur_ana_property() }
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
    function set_flag(key, b_on) {
        var json = {}
        json[key] = b_on
        set_property(json)
        reload_checks()
    }
    function set_self_para(b_on) {
        if (!set_property({"strSettingAnaDefaultParam": b_on})) return
        if (b_on) {
            // Switching on takes the shown values as the object's own.
            set_property({"strSettingAnaEmiss": id_emiss.strValue !== "" ? id_emiss.strValue : "0.95"})
        }
        reload_checks()
        update_ana_param_info()
    }
    function rename() {
        var alias = id_alias.text
        if (alias === "") strAliasError = qsTr("别名不能为空！")
        else if (alias.length > 20) strAliasError = qsTr("别名过长！")
        else if (wndIRShow === null || !wndIRShow.set_ana_alias(alias)) strAliasError = qsTr("别名重复！")
        else strAliasError = ""
    }
    readonly property var colorDialog: Window.window && Window.window.dialogColor ? Window.window.dialogColor : null
    function choose_line_color() {
        if (colorDialog !== null) colorDialog.show_color_dialog(id_ana, strLineColor)
    }
    Connections {
        target: id_ana.colorDialog
        function onSig_change_color(item, clr) {
            if (item !== id_ana) return
            id_ana.set_property({"strSettingAnaLineColor": clr.toString()})
            id_ana.reload_checks()
        }
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
    Flow {
        width: 2 * id_ana.nCheckWidth + 6
        spacing: 6
        ItemIRCheck { objectName: "check_ana_max"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            strText: id_ana.nAnaType === 0 ? qsTr("显示温度") : qsTr("最高温"); bChecked: id_ana.jsonAna["strSettingAnaMaxTemp"] === true
            onSig_toggled: id_ana.set_flag("strSettingAnaMaxTemp", b_checked) }
        ItemIRCheck { objectName: "check_ana_max_point"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            visible: id_ana.nAnaType !== 0; strText: qsTr("最高点"); bChecked: id_ana.jsonAna["strSettingAnaMaxPoint"] === true
            onSig_toggled: id_ana.set_flag("strSettingAnaMaxPoint", b_checked) }
        ItemIRCheck { objectName: "check_ana_min"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            visible: id_ana.nAnaType !== 0; strText: qsTr("最低温"); bChecked: id_ana.jsonAna["strSettingAnaMinTemp"] === true
            onSig_toggled: id_ana.set_flag("strSettingAnaMinTemp", b_checked) }
        ItemIRCheck { objectName: "check_ana_min_point"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            visible: id_ana.nAnaType !== 0; strText: qsTr("最低点"); bChecked: id_ana.jsonAna["strSettingAnaMinPoint"] === true
            onSig_toggled: id_ana.set_flag("strSettingAnaMinPoint", b_checked) }
        ItemIRCheck { objectName: "check_ana_avg"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            visible: id_ana.nAnaType !== 0; strText: qsTr("平均温"); bChecked: id_ana.jsonAna["strSettingAnaAvgTemp"] === true
            onSig_toggled: id_ana.set_flag("strSettingAnaAvgTemp", b_checked) }
        ItemIRCheck { objectName: "check_ana_cursor"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            visible: id_ana.nAnaType === 10; strText: qsTr("光标"); bChecked: id_ana.jsonAna["strSettingAnaCursorShow"] === true
            onSig_toggled: id_ana.set_flag("strSettingAnaCursorShow", b_checked) }
        ItemIRCheck { objectName: "check_ana_self_palette"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            visible: id_ana.bArea; strText: qsTr("独立调色板"); bChecked: id_ana.jsonAna["strSettingAnaSelfPalette"] === true
            onSig_toggled: id_ana.set_flag("strSettingAnaSelfPalette", b_checked) }
        ItemIRCheck { objectName: "check_ana_self_para"; width: Math.max(implicitWidth, id_ana.nCheckWidth)
            strText: qsTr("独立参数"); bChecked: id_ana.bSelfPara
            onSig_toggled: id_ana.set_self_para(b_checked) }
    }
    ItemIRSettingField { id: id_emiss; enabled: id_ana.bSelfPara; strLabel: qsTr("发射率"); strKey: "strSettingAnaEmiss"
        nLabelWidth: id_ana.nLabelWidth; bFilling: id_ana.bFilling
        validator: DoubleValidator { bottom: 0; top: 1; decimals: 2; notation: DoubleValidator.StandardNotation }
        onSig_set_setting: bRefused = !id_ana.set_property(json); onSig_restore: id_ana.update_ana_param_info() }
    ItemIRSettingField { id: id_dist; enabled: id_ana.bSelfPara; strLabel: qsTr("距离(m)"); strKey: "strSettingAnaDist"
        nLabelWidth: id_ana.nLabelWidth; bFilling: id_ana.bFilling
        validator: DoubleValidator { bottom: 0; decimals: 1; notation: DoubleValidator.StandardNotation }
        onSig_set_setting: bRefused = !id_ana.set_property(json); onSig_restore: id_ana.update_ana_param_info() }
    Row {
        spacing: 6
        height: 26
        Text { width: id_ana.nLabelWidth; elide: Text.ElideRight; anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: qsTr("线条颜色") }
        Rectangle {
            objectName: "btn_ana_line_color"
            anchors.verticalCenter: parent.verticalCenter
            width: 40; height: 20
            color: id_ana.strLineColor
            border.color: id_color_mouse.containsMouse ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
            MouseArea { id: id_color_mouse; anchors.fill: parent; hoverEnabled: true; onClicked: id_ana.choose_line_color() }
        }
    }
}
