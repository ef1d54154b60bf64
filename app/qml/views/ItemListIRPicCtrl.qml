import QtQuick 2.15
import "../common"

// Control bar of the picture window: picture stepping, zoom, rotation,
// saving, and the name of the picture shown.
Rectangle {
    id: id_ctrl
    objectName: "list_ir_pic_ctrl"
    color: ItemCommonClr.clrTitleBackground
    property bool bNormalImage: false
    property string strPicText: ""

    signal sig_press_btn(int n_id, bool b_checked)

    Row {
        anchors.verticalCenter: parent.verticalCenter
        x: 6
        spacing: 2
        ItemIRToolButton { objectName: "btn_pic_previous"; nBtnId: ItemCommonDef.idBtnPicPrevious; strText: qsTr("上一张"); onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_pic_next"; nBtnId: ItemCommonDef.idBtnPicNext; strText: qsTr("下一张"); onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        Item { width: 12; height: 1 }
        ItemIRToolButton { objectName: "btn_zoom_restore"; nBtnId: ItemCommonDef.idBtnWndZoomRestore; strText: "1:1"; onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_zoom_in"; nBtnId: ItemCommonDef.idBtnWndZoomIn; strText: "+"; onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_zoom_out"; nBtnId: ItemCommonDef.idBtnWndZoomOut; strText: "-"; onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_rotate_left"; visible: !id_ctrl.bNormalImage; nBtnId: ItemCommonDef.idBtnRotateLeft90; strText: qsTr("左转90°"); onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_rotate_right"; visible: !id_ctrl.bNormalImage; nBtnId: ItemCommonDef.idBtnRotateRight90; strText: qsTr("右转90°"); onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        Item { width: 12; height: 1; visible: !id_ctrl.bNormalImage }
        ItemIRToolButton { objectName: "btn_save"; visible: !id_ctrl.bNormalImage; nBtnId: ItemCommonDef.idBtnSave; strText: qsTr("保存"); onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_save_to"; visible: !id_ctrl.bNormalImage; nBtnId: ItemCommonDef.idBtnSaveTo; strText: qsTr("另存为"); onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        ItemIRToolButton { objectName: "btn_report"; visible: !id_ctrl.bNormalImage; nBtnId: ItemCommonDef.idBtnReport; strText: qsTr("报告"); onSig_press_btn: id_ctrl.sig_press_btn(n_id, b_checked) }
        Item { width: 12; height: 1 }
        Text {
            objectName: "text_pic"
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: id_ctrl.strPicText
        }
    }
}
