import QtQuick 2.15
import QtQuick.Controls 1.4
import "../common"
import "../views"

// The designer's property panel: a scrolling column of the general, font,
// mark and picture-parameter sections of the selection.
Rectangle {
    id: id_prop
    objectName: "area_property_report"
    property var wndReport: null
    property var tipItem: null
    // Type of the selection (1 picture, 2 table, 3 mark, 4 text, -1 none or
    // mixed) and whether several components are selected.
    property int nType: -1
    property bool bMulti: false
    // A table cell is selected.
    property bool bCellFont: false
    // The selected picture holds an IR picture.
    property bool bIR: false
    readonly property alias general: id_general
    readonly property alias fontSection: id_font
    readonly property alias markSection: id_mark
    readonly property alias irSection: id_ir

    signal sig_choose_mark(string text)

    color: ItemCommonClr.clrBackground

    ItemReportText { id: id_texts }

    function update_property(n_count, n_type) {
        bCellFont = false
        nType = n_type
        bMulti = n_count > 1
        id_general.bSizeFixed = bMulti || n_type === 3
    }
    function update_general_setting(json) { id_general.update_setting(json) }
    function update_font_setting(json) { id_font.update_setting(json) }
    function update_mark_setting(json) { id_mark.update_setting(json, true) }
    function update_ir_setting(json) {
        if (json["bFile"] === undefined) {
            bIR = false
            return
        }
        bIR = json["bIR"] === true
        id_ir.update_setting(json)
        id_ir_second.update_setting(json)
    }
    function show_cell_font(b_cell) { bCellFont = b_cell }

    ScrollView {
        anchors.fill: parent
        style: ItemScrollViewStyle {}
        horizontalScrollBarPolicy: Qt.ScrollBarAlwaysOff
        Column {
            x: 10
            y: 10
            width: id_prop.width - 24
            spacing: 16
            ItemContentReportGeneralSetting {
                id: id_general
                visible: id_prop.nType > 0 || id_prop.bMulti
                wndReport: id_prop.wndReport
                strTitle: id_texts.strGeneral
            }
            ItemContentReportFontSetting {
                id: id_font
                visible: id_prop.nType === 4 || id_prop.nType === 3 || id_prop.bCellFont
                texts: id_texts
                tipItem: id_prop.tipItem
                strTitle: id_texts.strFont
                onSig_font_changed: if (id_prop.wndReport) id_prop.wndReport.set_com_font_setting(json)
            }
            ItemContentReportMarkSetting {
                id: id_mark
                visible: id_prop.nType === 3
                width: parent.width
                wndReport: id_prop.wndReport
                texts: id_texts
                strTitle: id_texts.strMark
                onSig_choose_mark: id_prop.sig_choose_mark(text)
            }
            ItemContentIRParamSetting {
                id: id_ir
                visible: id_prop.nType === 1 && !id_prop.bMulti && id_prop.bIR
                strTitle: id_texts.strPictureParam
                onSig_set_setting: id_prop.set_ir_setting(json)
            }
            // A second picture section, kept hidden.
            ItemContentIRParamSetting {
                id: id_ir_second
                objectName: "ir_param_setting_second"
                visible: false
            }
        }
    }
    function set_ir_setting(json) {
        if (wndReport === null)
            return
        wndReport.set_com_ir_setting(json)
        if (json["strSettingDefaultParam"] !== undefined)
            update_ir_setting(wndReport.get_cur_com_ir_property())
    }
}
