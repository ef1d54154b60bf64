import QtQuick 2.15
import "../common"

// The palette menu: ten rows showing the horizontal strips of palettes 0-9;
// a click chooses one and closes the menu, a click outside closes it.
Item {
    id: id_menu
    objectName: "menu_palette"
    visible: false
    z: 20

    signal sig_change_palette(int n_palette, var item)

    function popup(px, py) { id_box.x = px; id_box.y = py; visible = true }

    readonly property var names: ["iron", "rainbow", "feather", "gray", "cwfeather", "iron_reverse",
        "rainbow_reverse", "feather_reverse", "gray_reverse", "cwfeather_reverse"]

    MouseArea { anchors.fill: parent; onClicked: id_menu.visible = false }
    Rectangle {
        id: id_box
        width: 122
        height: 202
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrBackground
        // The rows exist only while the menu shows, so their pictures are
        // released when it closes.
        Loader {
            x: 1; y: 1
            active: id_menu.visible
            sourceComponent: Column {
                Repeater {
                    model: 10
                    Rectangle {
                        objectName: "palette_row_" + index
                        width: 120; height: 20
                        color: id_row_mouse.containsMouse ? ItemCommonClr.clrHover : "transparent"
                        Image { anchors.centerIn: parent; width: 100; height: 14; cache: false; source: "qrc:/images/clr_" + id_menu.names[index] + "_hor.png" }
                        MouseArea {
                            id: id_row_mouse
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: { id_menu.visible = false; id_menu.sig_change_palette(index, parent) }
                        }
                    }
                }
            }
        }
    }
}
