import QtQuick 2.15
import VY.WndIRShow 1.0
import "../common"
import "."

// The chosen rule: sample picture with its analysis tools, criterion,
// formula help and formula table.
Item {
    id: id_panel
    property var area: null
    property alias judge_text: id_judge.text
    readonly property alias ir_show: id_ir_show

    signal sig_add_picture()

    // Sizes the view to the opened picture, scaled down to fit its area.
    function fit_view() {
        const pw = Math.max(1, id_ir_show.n_pixel_width)
        const ph = Math.max(1, id_ir_show.n_pixel_height)
        const scale = Math.min(1, id_view_area.width / pw, id_view_area.height / ph)
        id_ir_show.width = Math.max(1, Math.floor(pw * scale))
        id_ir_show.height = Math.max(1, Math.floor(ph * scale))
        id_ir_show.set_paint_wnd_size(id_ir_show.width, id_ir_show.height)
        id_ir_show.update()
    }

    Rectangle {
        id: id_picture
        width: 640
        height: 400
        color: ItemCommonClr.clrBackground

        Row {
            id: id_toolbar
            spacing: 4
            padding: 4
            Repeater {
                model: [
                    { name: "point", text: "+ ·", btn: ItemCommonDef.idBtnAddPoint },
                    { name: "line", text: "+ ╱", btn: ItemCommonDef.idBtnAddLine },
                    { name: "rect", text: "+ ▭", btn: ItemCommonDef.idBtnAddRect },
                    { name: "delete", text: "− 1", btn: ItemCommonDef.idBtnDeleteAna },
                    { name: "clear", text: "− ∗", btn: ItemCommonDef.idBtnClearAna }
                ]
                delegate: ItemRuleButton {
                    objectName: "rule_tool_" + modelData.name
                    width: 40
                    height: 26
                    enabled: id_panel.area.mb_show_picture
                    text: modelData.text
                    tip: ItemCommonDef.get_btn_tooltip(modelData.btn)
                    onClicked: {
                        switch (modelData.name) {
                        case "point": id_ir_show.add_point(); break
                        case "line": id_ir_show.add_line(); break
                        case "rect": id_ir_show.add_rect(); break
                        case "delete": id_ir_show.delete_ana(); break
                        case "clear": id_ir_show.delete_all_ana(); break
                        }
                    }
                }
            }
            ItemRuleButton {
                objectName: "rule_add_picture"
                text: ItemRuleText.strAddPic
                height: 26
                onClicked: id_panel.sig_add_picture()
            }
            ItemRuleButton {
                objectName: "rule_save_picture"
                height: 26
                text: ItemRuleText.strSavePicAndAna
                onClicked: id_panel.area.save_picture_info()
            }
        }
        Item {
            id: id_view_area
            anchors { left: parent.left; right: parent.right; top: id_toolbar.bottom; bottom: parent.bottom }
            clip: true
            WndIRShow {
                id: id_ir_show
                objectName: "rule_ir_show"
                n_wnd_type: ItemCommonDef.wndFunctionImage
                visible: id_panel.area.mb_show_picture
                anchors.centerIn: parent
                onSig_update_rotate: id_panel.fit_view()
            }
            Text {
                anchors.centerIn: parent
                visible: !id_panel.area.mb_show_picture
                color: ItemCommonClr.clrTextLabel
                font.pixelSize: 14
                text: ItemRuleText.strAddSampleImage
            }
        }
    }

    Column {
        anchors { left: id_picture.right; right: parent.right; top: parent.top; leftMargin: 8 }
        height: id_picture.height
        spacing: 4
        Text {
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: ItemRuleText.strDetectRuleJudge
        }
        Rectangle {
            width: parent.width
            height: 110
            color: ItemCommonClr.clrBackground
            clip: true
            Text {
                id: id_judge
                objectName: "rule_judge"
                anchors.fill: parent
                anchors.margins: 5
                color: ItemCommonClr.clrTextButton
                font.pixelSize: 12
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
            }
        }
        Text {
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: ItemRuleText.strDetectRuleFormulaDes
        }
        Repeater {
            model: ItemRuleText.lstDetectRuleTips
            delegate: Text {
                width: parent.width
                color: ItemCommonClr.clrTextSecLv
                font.pixelSize: 11
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
                text: modelData
            }
        }
    }

    ItemRuleFormulaTable {
        anchors { left: parent.left; right: parent.right; top: id_picture.bottom; bottom: parent.bottom; topMargin: 8 }
        area: id_panel.area
    }
}
