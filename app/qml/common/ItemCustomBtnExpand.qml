import QtQuick 2.15
import "."

// Button that expands or contracts a panel.
Rectangle {
    id: id_btn
    property int idBtn: 0
    property string strExpandIcon: "qrc:/images/common/btn_expand.svg"
    property string strContractIcon: "qrc:/images/common/btn_contract.svg"
    property int nBtnWidth: 20
    property bool bExpand: true

    signal sig_check_expand(bool expanded)

    width: nBtnWidth
    height: nBtnWidth
    color: id_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTransparent

    Image {
        anchors.centerIn: parent
        sourceSize: Qt.size(id_btn.nBtnWidth - 4, id_btn.nBtnWidth - 4)
        source: id_btn.bExpand ? id_btn.strContractIcon : id_btn.strExpandIcon
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            id_btn.bExpand = !id_btn.bExpand
            id_btn.sig_check_expand(id_btn.bExpand)
        }
    }
}
