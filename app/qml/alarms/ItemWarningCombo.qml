import QtQuick 2.15
import "../common"

// A small drop-down list of texts for the alarm dialog: pressing it opens
// the list below it, pressing an entry chooses it. The entries' objectNames
// are the combo's objectName with "_item_" and the index.
Rectangle {
    id: id_combo
    property var listText: []
    property int nCurIndex: 0
    readonly property string strCurText: nCurIndex >= 0 && nCurIndex < listText.length ? listText[nCurIndex] : ""
    property bool bOpen: false

    signal sig_activated(int n_index)

    width: 75
    height: 24
    color: ItemCommonClr.clrClientBackground
    border.color: bOpen ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
    opacity: enabled ? 1.0 : 0.4
    // The open list lies over the siblings below the combo.
    z: bOpen ? 100 : 0
    onEnabledChanged: if (!enabled) bOpen = false

    Text {
        anchors { left: parent.left; right: id_arrow.left; verticalCenter: parent.verticalCenter; leftMargin: 4 }
        elide: Text.ElideRight
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        text: id_combo.strCurText
    }
    Text {
        id: id_arrow
        anchors { right: parent.right; verticalCenter: parent.verticalCenter; rightMargin: 4 }
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 9
        text: "\u25BC"
    }
    MouseArea {
        anchors.fill: parent
        onClicked: id_combo.bOpen = !id_combo.bOpen
    }

    // At most six entries show at once; the list scrolls with the wheel.
    Rectangle {
        visible: id_combo.bOpen
        y: id_combo.height
        width: Math.max(id_combo.width, id_list.implicitWidth + 8)
        height: Math.min(id_list.implicitHeight, 6 * 22) + 2
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrPress
        Flickable {
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            contentHeight: id_list.implicitHeight
            Column {
                id: id_list
                Repeater {
                    model: id_combo.listText
                    Rectangle {
                        objectName: id_combo.objectName + "_item_" + index
                        width: Math.max(id_combo.width - 2, id_item_text.implicitWidth + 8)
                        height: 22
                        color: id_item_mouse.containsMouse ? ItemCommonClr.clrHover : ItemCommonClr.clrTransparent
                        Text {
                            id: id_item_text
                            x: 4
                            anchors.verticalCenter: parent.verticalCenter
                            textFormat: Text.PlainText
                            color: ItemCommonClr.clrTextButton
                            font.pixelSize: 12
                            text: modelData
                        }
                        MouseArea {
                            id: id_item_mouse
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: {
                                id_combo.bOpen = false
                                id_combo.nCurIndex = index
                                id_combo.sig_activated(index)
                            }
                        }
                    }
                }
            }
        }
    }
}
