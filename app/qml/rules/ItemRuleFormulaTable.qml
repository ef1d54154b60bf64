import QtQuick 2.15
import "../common"
import "."

// The chosen rule's formulas with the buttons that add, change and delete
// them.
Item {
    id: id_table
    property var area: null
    // Each column is as wide as its heading needs, at least its base width.
    readonly property var base_widths: [40, 70, 200, 120, 120, 120, 120]
    readonly property var headings: [ItemRuleText.strIndex, ItemRuleText.strWarningDegree, ItemRuleText.strDetectFormula,
                                     ItemRuleText.strDes, ItemRuleText.strFaultDes, ItemRuleText.strThermalDes,
                                     ItemRuleText.strHandingDes]
    property var widths: base_widths

    function update_widths() {
        const next = []
        for (let i = 0; i < base_widths.length; ++i) {
            const heading = id_headings.itemAt(i)
            next.push(Math.max(base_widths[i], heading ? Math.ceil(heading.implicitWidth) : 0))
        }
        widths = next
    }

    Row {
        id: id_head
        spacing: 8
        Text {
            anchors.verticalCenter: parent.verticalCenter
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: ItemRuleText.strDetectRuleFormula
        }
        ItemRuleButton {
            objectName: "rule_add_formula"
            text: ItemRuleText.strAddFormula
            onClicked: id_table.area.m_wnd_edit_formula.show_wnd(true, id_table.area.mn_cur_id_rule, 0, "", "", "", "", "")
        }
        ItemRuleButton {
            objectName: "rule_change_formula"
            text: ItemRuleText.strChangeFormula
            enabled: id_table.area.mn_cur_detect_formula >= 0
            onClicked: id_table.area.edit_selected_formula()
        }
        ItemRuleButton {
            objectName: "rule_delete_formula"
            text: ItemRuleText.strDeleteFormula
            enabled: id_table.area.mn_cur_detect_formula >= 0
            onClicked: id_table.area.delete_selected_formula()
        }
        ItemElidedText {
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, Math.min(implicitWidth, id_table.width - x))
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 11
            text: ItemRuleText.strDetectRuleFormulaTip
        }
    }
    Rectangle {
        id: id_columns
        anchors { left: parent.left; right: parent.right; top: id_head.bottom; topMargin: 4 }
        height: 24
        color: ItemCommonClr.clrTitleBackground
        Row {
            Repeater {
                id: id_headings
                model: id_table.headings
                delegate: Text {
                    width: id_table.widths[index]
                    onImplicitWidthChanged: id_table.update_widths()
                    Component.onCompleted: id_table.update_widths()
                    height: 24
                    leftPadding: 4
                    verticalAlignment: Text.AlignVCenter
                    color: ItemCommonClr.clrTextLabel
                    font.pixelSize: 12
                    text: modelData
                }
            }
        }
    }
    ListView {
        id: id_rows
        objectName: "rule_formula_list"
        anchors { left: parent.left; right: parent.right; top: id_columns.bottom; bottom: parent.bottom }
        clip: true
        model: id_table.area.formula_model
        delegate: Rectangle {
            id: id_row
            objectName: "rule_formula_row_" + index
            readonly property string degree_text: ItemRuleText.degree_name(nFaultID, strFaultName)
            readonly property var values: [nIndex, degree_text, strFormula, strDes, strFaultDes, strThermalDes,
                                           strHanding]
            width: id_rows.width
            height: 24
            color: id_table.area.mn_cur_detect_formula === index ? ItemCommonClr.clrPress : ItemCommonClr.clrTransparent
            Row {
                Repeater {
                    model: 7
                    delegate: Text {
                        id: id_cell
                        width: id_table.widths[index]
                        height: 24
                        leftPadding: 4
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                        color: ItemCommonClr.clrTextButton
                        font.pixelSize: 12
                        textFormat: Text.PlainText
                        text: String(id_row.values[index])
                        ItemHoverTip {
                            text: id_cell.truncated ? id_cell.text : ""
                            hovered: id_row_mouse.containsMouse && id_row_mouse.mouseX >= id_cell.x
                                     && id_row_mouse.mouseX < id_cell.x + id_cell.width
                            mouseX: id_row_mouse.mouseX - id_cell.x
                            mouseY: id_row_mouse.mouseY
                        }
                    }
                }
            }
            readonly property int row: index
            MouseArea {
                id: id_row_mouse
                anchors.fill: parent
                hoverEnabled: true
                onClicked: id_table.area.mn_cur_detect_formula = parent.row
                onDoubleClicked: {
                    id_table.area.mn_cur_detect_formula = parent.row
                    id_table.area.edit_selected_formula()
                }
            }
        }
    }
}
