import QtQuick 2.15
import QtQuick.Window 2.15
import "."

// Toolbar button with normal, pressed and disabled icons. A checkable button
// toggles on press; with bNotUncheck false a checked button stays checked and
// a further press is ignored.
Rectangle {
    id: id_btn
    property int idBtn: 0
    property string strIconPressed: ""
    property string strIconNormal: ""
    property string strIconDisable: ""
    property int nBtnWidth: 24
    property int nIconMargins: 4
    property bool bEntered: false
    property bool bPressed: false
    property bool bCheckable: false
    property bool bChecked: false
    property bool bEnable: true
    property bool bNotUncheck: true
    // The tooltip shown on hover: an ItemToolTip, if the window has one.
    property var tipItem: null

    signal sig_press_btn(int id, bool checked)
    signal sig_release_btn(int id)

    // A dialog opened by a press takes the release and the mouse's leaving
    // with it: the button forgets both when its window stops being active.
    readonly property bool bWindowActive: Window.active
    onBWindowActiveChanged: if (!bWindowActive) { bPressed = false; bEntered = false }

    width: nBtnWidth
    height: nBtnWidth
    color: (bPressed || bChecked) ? ItemCommonClr.clrTextNormal
                                  : (bEntered ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTitleBackground)

    Image {
        anchors.fill: parent
        anchors.margins: id_btn.nIconMargins
        sourceSize: Qt.size(id_btn.nBtnWidth, id_btn.nBtnWidth)
        source: !id_btn.bEnable ? id_btn.strIconDisable
                                : ((id_btn.bPressed || id_btn.bChecked || id_btn.bEntered) ? id_btn.strIconPressed
                                                                                             : id_btn.strIconNormal)
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: {
            id_btn.bEntered = true
            if (id_btn.tipItem)
                id_btn.tipItem.show_tip(ItemCommonDef.get_btn_tooltip(id_btn.idBtn))
        }
        onExited: {
            id_btn.bEntered = false
            if (id_btn.tipItem)
                id_btn.tipItem.hide_tip()
        }
        onPressed: {
            if (!id_btn.bEnable)
                return
            id_btn.bPressed = true
            if (id_btn.bCheckable) {
                if (id_btn.bChecked && !id_btn.bNotUncheck)
                    return
                id_btn.bChecked = !id_btn.bChecked
            }
            id_btn.sig_press_btn(id_btn.idBtn, id_btn.bChecked)
        }
        onCanceled: {
            id_btn.bPressed = false
            id_btn.bEntered = false
        }
        onReleased: {
            id_btn.bPressed = false
            if (id_btn.bEnable)
                id_btn.sig_release_btn(id_btn.idBtn)
        }
    }
}
