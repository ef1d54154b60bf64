import QtQuick 2.15
import "../common"

// Property column of an IR window, scrolled: the picture's measuring
// parameters and temperatures, a camera's lens and measuring range, the
// selected analysis object's panel, and a picture's site data and voice note.
Rectangle {
    id: id_prop
    objectName: "area_property_ir"
    color: ItemCommonClr.clrBackground
    property var wndIRShow: null
    property int nCurAna: 0
    // The window kind (ItemCommonDef): 1 picture, 2 recording, 3 camera.
    property int nWndType: ItemCommonDef.wndFunctionImage
    // Picture windows show the picture's site data and voice note.
    readonly property bool bPicture: nWndType === ItemCommonDef.wndFunctionImage
    // A refused parameter value, shown under the parameter fields.
    property string strParamError: ""
    // The picture's and the selected object's temperatures as the view last
    // gave them; the labels are bindings, so they follow a language change.
    property var jsonTemp: ({})
    property var jsonAnaTemp: ({})
    property string strAnaAlias: ""
    // Height that shows every field without scrolling.
    readonly property real nContentHeight: id_column.height + 20

    signal sig_lens_refused()

    onNCurAnaChanged: { update_ana_property(); update_ana_temp_info() }

    function update_ir_property() {
        if (wndIRShow === null) return
        var json = wndIRShow.get_ir_property()
        strParamError = ""
        id_param.update_setting(json)
        // SGCC pictures show their site data but keep no voice note.
        id_pic_setting.bSgcc = wndIRShow.is_sgcc_image()
        id_pic_setting.update_setting(json)
        if (nWndType === ItemCommonDef.wndFunctionNetDevice)
            id_lens.update_setting(json)
        update_ir_temp_info()
        update_ana_property()
    }
    function update_ir_temp_info() {
        if (wndIRShow === null) return
        jsonTemp = wndIRShow.get_ir_temp_info()
        update_ana_temp_info()
    }
    function update_ana_temp_info() {
        if (wndIRShow === null || nCurAna === 0) { jsonAnaTemp = {}; strAnaAlias = ""; return }
        jsonAnaTemp = wndIRShow.get_cur_ana_temp_info()
        strAnaAlias = wndIRShow.get_ana_alias()
    }
    function update_ana_property() {
        if (wndIRShow !== null && nCurAna !== 0) id_ana_setting.update_ana_property(wndIRShow.get_cur_ana_property())
    }
    function update_pic_sound_sec(n_sec) { id_pic_setting.update_pic_sound_sec(n_sec) }
    // The range the camera switched to by itself.
    function set_cur_range(n_range) { id_lens.set_cur_range(n_range) }
    // A refused value is marked and the panel says why; the field gets the
    // picture's value back when it is left.
    function set_setting(json) {
        if (wndIRShow === null) return false
        var ok = wndIRShow.set_ir_property(json)
        strParamError = ok ? "" : qsTr("数值超出范围，未被采用")
        id_param.set_refused(Object.keys(json)[0], !ok)
        return ok
    }

    Flickable {
        id: id_flick
        objectName: "flick_property"
        anchors.fill: parent
        contentHeight: id_prop.nContentHeight
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: id_column
            x: 10; y: 10
            spacing: 6
            ItemContentIRParamSetting {
                id: id_param
                strTitle: qsTr("参数设置")
                nLabelWidth: 110
                bCamera: id_prop.nWndType === ItemCommonDef.wndFunctionNetDevice
                onSig_set_setting: {
                    // An emptied field is still being typed: nothing to send.
                    if (json[Object.keys(json)[0]] === "") return
                    id_prop.set_setting(json)
                    if (json["strSettingDefaultParam"] !== undefined)
                        id_prop.update_ir_property()
                }
                // The restored value is the picture's own: nothing is refused any more.
                onSig_restore: {
                    id_prop.strParamError = ""
                    if (id_prop.wndIRShow !== null) update_setting(id_prop.wndIRShow.get_ir_property())
                }
            }
            Text { objectName: "text_param_error"; visible: id_prop.strParamError !== ""; width: id_prop.width - 20
                wrapMode: Text.Wrap; textFormat: Text.PlainText; color: "#FF4040"; font.pixelSize: 12; text: id_prop.strParamError }
            ItemContentIRLensSetting {
                id: id_lens
                visible: id_prop.nWndType === ItemCommonDef.wndFunctionNetDevice
                z: 1
                wndIRShow: id_prop.wndIRShow
                onSig_refused: id_prop.sig_lens_refused()
            }
            Item { width: 1; height: 8 }
            Text { objectName: "text_max_temp"; textFormat: Text.PlainText; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12
                text: qsTr("最高温: ") + (id_prop.jsonTemp["strSettingMaxTemp"] || "") }
            Text { objectName: "text_min_temp"; textFormat: Text.PlainText; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12
                text: qsTr("最低温: ") + (id_prop.jsonTemp["strSettingMinTemp"] || id_prop.jsonTemp["setSettingMinTemp"] || "") }
            Item { width: 1; height: 8 }
            Text { visible: id_prop.nCurAna !== 0; textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("分析对象") }
            Text { objectName: "text_ana_temp"; width: id_prop.width - 20; wrapMode: Text.Wrap
                textFormat: Text.PlainText; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12
                text: id_prop.nCurAna === 0 || id_prop.wndIRShow === null ? ""
                      : id_prop.strAnaAlias + "  " + qsTr("最高") + (id_prop.jsonAnaTemp["strSettingAnaTextMax"] || "")
                        + " " + qsTr("最低") + (id_prop.jsonAnaTemp["strSettingAnaTextMin"] || "")
                        + " " + qsTr("平均") + (id_prop.jsonAnaTemp["strSettingAnaTextAvg"] || "") }
            ItemContentIRAnaSetting {
                id: id_ana_setting
                visible: id_prop.nCurAna !== 0
                wndIRShow: id_prop.wndIRShow
            }
            Item { width: 1; height: 8 }
            ItemContentIRPicSetting {
                id: id_pic_setting
                visible: id_prop.bPicture
                wndIRShow: id_prop.wndIRShow
                onSig_set_setting: id_prop.set_setting(json)
            }
        }
    }
    Rectangle {
        objectName: "scroll_property"
        visible: id_flick.contentHeight > id_flick.height
        anchors.right: parent.right
        width: 4; radius: 2
        y: id_flick.visibleArea.yPosition * id_flick.height
        height: id_flick.visibleArea.heightRatio * id_flick.height
        color: ItemCommonClr.clrTextBroder
    }
}
