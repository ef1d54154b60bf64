import QtQuick 2.15
import "../common"

// The designer's toolbar: file buttons, the component kinds, the analysis
// shapes and the alignment of several components, in four groups that wrap
// to a second row when the bar is too narrow. The component and shape
// buttons form one radio group.
Rectangle {
    id: id_bar
    objectName: "toolbar_report"
    property var tipItem: null
    property bool bSaveEnabled: false
    property bool bAlignEnabled: false
    readonly property var def: ItemCommonDef
    readonly property int nBtnSize: 40
    readonly property int nSeparator: 9

    signal sig_press_btn(int id, bool checked)
    signal sig_release_btn(int id)

    // Buttons of each group; id 0 is a separator.
    readonly property var arrGroups: [
        [def.idBtnReportOpenFile, def.idBtnReportSave, def.idBtnReportSaveTo, 0, def.idBtnReportSelect,
         def.idBtnReportAddPic, def.idBtnReportAddTable, def.idBtnReportAddMark, def.idBtnReportAddText, 0],
        [def.idBtnAddPoint, def.idBtnAddLine, def.idBtnAddEllipse, def.idBtnAddRect, def.idBtnDeleteAna,
         def.idBtnClearAna, 0],
        [def.idBtnReportAlignLeft, def.idBtnReportAlignHCenter, def.idBtnReportAlignRight, 0],
        [def.idBtnReportAlignTop, def.idBtnReportAlignVCenter, def.idBtnReportAlignBotoom, 0]
    ]
    // Width of all groups side by side.
    readonly property int nTotalWidth: {
        var buttons = 0
        var separators = 0
        for (var g = 0; g < arrGroups.length; ++g)
            for (var i = 0; i < arrGroups[g].length; ++i)
                arrGroups[g][i] === 0 ? ++separators : ++buttons
        return (buttons + separators) * nBtnSize - separators * (nBtnSize - nSeparator - 1)
    }

    height: nTotalWidth > width ? 2 * nBtnSize : nBtnSize
    color: ItemCommonClr.clrTitleBackground

    function is_radio(id) {
        return (id >= def.idBtnReportSelect && id <= def.idBtnReportAddText)
                || (id >= def.idBtnAddPoint && id < def.idBtnDeleteAna)
    }
    function is_shape(id) { return id >= def.idBtnAddPoint && id <= def.idBtnClearAna }
    function icon_name(id) {
        switch (id) {
        case def.idBtnReportOpenFile: return "report_open_file"
        case def.idBtnReportSave: return "report_save"
        case def.idBtnReportSaveTo: return "report_save_to"
        case def.idBtnReportSelect: return "report_select"
        case def.idBtnReportAddPic: return "report_add_pic"
        case def.idBtnReportAddTable: return "report_add_table"
        case def.idBtnReportAddMark: return "report_add_mark"
        case def.idBtnReportAddText: return "report_add_text"
        case def.idBtnAddPoint: return "add_point"
        case def.idBtnAddLine: return "add_line"
        case def.idBtnAddRect: return "add_rect"
        case def.idBtnAddEllipse: return "add_ellipse"
        case def.idBtnDeleteAna: return "delete_ana"
        case def.idBtnClearAna: return "clear_ana"
        case def.idBtnReportAlignLeft: return "report_align_left"
        case def.idBtnReportAlignRight: return "report_align_right"
        case def.idBtnReportAlignTop: return "report_align_top"
        case def.idBtnReportAlignBotoom: return "report_align_botoom"
        case def.idBtnReportAlignVCenter: return "report_align_vcenter"
        case def.idBtnReportAlignHCenter: return "report_align_hcenter"
        default: return ""
        }
    }
    function icon(id, state) { return "qrc:/images/toolbar/btn_toolbar_" + icon_name(id) + "_" + state + ".svg" }

    // The button of an id, or null.
    function button(id) {
        for (var g = 0; g < id_groups.count; ++g) {
            var group = id_groups.itemAt(g)
            for (var i = 0; i < group.buttons.count; ++i) {
                var item = group.buttons.itemAt(i)
                if (item && item.btn.idBtn === id)
                    return item.btn
            }
        }
        return null
    }
    // Checks one radio button and unchecks the others.
    function check_only(id) {
        for (var g = 0; g < id_groups.count; ++g) {
            var group = id_groups.itemAt(g)
            for (var i = 0; i < group.buttons.count; ++i) {
                var item = group.buttons.itemAt(i)
                if (item && item.btn.bCheckable)
                    item.btn.bChecked = item.btn.idBtn === id
            }
        }
    }
    // After a component was drawn: Select is checked again.
    function slot_add_com_end() { check_only(def.idBtnReportSelect) }

    Flow {
        anchors.fill: parent
        Repeater {
            id: id_groups
            model: id_bar.arrGroups.length
            Row {
                id: id_group
                property int nGroup: index
                property alias buttons: id_buttons
                Repeater {
                    id: id_buttons
                    model: id_bar.arrGroups[id_group.nGroup]
                    Item {
                        property alias btn: id_btn
                        width: modelData === 0 ? id_bar.nSeparator : id_bar.nBtnSize
                        height: id_bar.nBtnSize
                        Rectangle {
                            visible: modelData === 0
                            anchors.centerIn: parent
                            width: 1
                            height: parent.height - 16
                            color: ItemCommonClr.clrTextBroder
                        }
                        ItemCustomBtnTool {
                            id: id_btn
                            objectName: "btn_report_" + modelData
                            visible: modelData !== 0
                            nBtnWidth: id_bar.nBtnSize
                            nIconMargins: 8
                            idBtn: modelData
                            tipItem: id_bar.tipItem
                            bCheckable: id_bar.is_radio(modelData)
                            bChecked: modelData === ItemCommonDef.idBtnReportSelect
                            bNotUncheck: false
                            bEnable: modelData === ItemCommonDef.idBtnReportSave ? id_bar.bSaveEnabled
                                     : id_group.nGroup >= 2 ? id_bar.bAlignEnabled : true
                            strIconNormal: modelData === 0 ? "" : id_bar.icon(modelData, "normal")
                            strIconPressed: modelData === 0 ? "" : id_bar.icon(modelData, "pressed")
                            // The shapes have no disabled picture: they are never disabled.
                            strIconDisable: modelData === 0 ? "" : id_bar.icon(modelData, id_bar.is_shape(modelData) ? "normal" : "disable")
                            onSig_press_btn: {
                                if (bCheckable) {
                                    id_bar.sig_press_btn(id, true)
                                    id_bar.check_only(id)
                                } else {
                                    id_bar.sig_press_btn(id, false)
                                }
                            }
                            onSig_release_btn: id_bar.sig_release_btn(id)
                        }
                    }
                }
            }
        }
    }
}
