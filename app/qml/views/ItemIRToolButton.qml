import QtQuick 2.15
import "../common"

// A text button of the picture window's bars; checkable buttons stay down
// until pressed again or released by the page.
Rectangle {
    id: id_btn
    property int nBtnId: 0
    property string strText: ""
    property string strTip: ""
    property bool bCheckable: false
    property bool bChecked: false

    signal sig_press_btn(int n_id, bool b_checked)

    width: Math.max(34, id_text.implicitWidth + 12)
    height: 30
    radius: 3
    color: bChecked ? ItemCommonClr.clrPress
                    : (id_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTransparent)
    opacity: enabled ? 1.0 : 0.4

    Text {
        id: id_text
        anchors.centerIn: parent
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        text: id_btn.strText
    }

    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            if (id_btn.bCheckable) {
                id_btn.bChecked = !id_btn.bChecked
            }
            id_btn.sig_press_btn(id_btn.nBtnId, id_btn.bChecked)
        }
    }
}
