import QtQuick 2.15
import VY.NetDevDiscover 1.0
import "../common"

// The cameras page: every camera that answered the last search, one cell
// each; hovering a cell shows the camera's address as a tool tip, a double
// click opens the camera.
Rectangle {
    id: id_area
    objectName: "area_device_preview"
    color: ItemCommonClr.clrClientBackground

    signal sig_open_net_device(string address, string sn, string mac)

    function search() {
        id_devices.clear()
        id_discover.search_net_dev()
    }

    NetDevDiscover {
        id: id_discover
        onSig_discover_net_dev_info: id_devices.append({ DevIP: net_dev_obj.DevIP, DevSN: net_dev_obj.DevSN,
                                                         SoftwareVer: net_dev_obj.SoftwareVer,
                                                         SysVer: net_dev_obj.SysVer,
                                                         DiscoverMac: net_dev_obj.DiscoverMac })
    }
    ListModel { id: id_devices }
    ItemToolTip { id: id_tip; objectName: "tip_device_address" }

    Component.onCompleted: search()

    ItemIRToolButtonSearch {
        id: id_search
        objectName: "btn_search"
        x: 10
        y: 6
        onClicked: id_area.search()
    }

    GridView {
        id: id_grid
        objectName: "device_grid"
        anchors { fill: parent; topMargin: 44; leftMargin: 10 }
        clip: true
        cellWidth: 255
        cellHeight: 195
        model: id_devices
        delegate: Rectangle {
            objectName: "device_cell_" + index
            width: 240
            height: 180
            color: ItemCommonClr.clrClientSecBackgroud
            border.color: id_cell_mouse.containsMouse ? ItemCommonClr.clrPress : ItemCommonClr.clrBroder
            Column {
                anchors { fill: parent; margins: 14 }
                spacing: 10
                Repeater {
                    model: [[qsTr("序列号"), DevSN], [qsTr("地址"), DevIP],
                            [qsTr("软件版本"), SoftwareVer], [qsTr("系统版本"), SysVer]]
                    Text {
                        width: parent.width
                        elide: Text.ElideRight
                        textFormat: Text.PlainText
                        color: ItemCommonClr.clrTextLabel
                        text: modelData[0] + ": " + modelData[1]
                    }
                }
            }
            MouseArea {
                id: id_cell_mouse
                anchors.fill: parent
                hoverEnabled: true
                onContainsMouseChanged: {
                    if (containsMouse)
                        id_tip.show_tip_ext(mouseX, mouseY, id_cell_mouse, DevIP)
                    else
                        id_tip.hide_tip()
                }
                onDoubleClicked: id_area.sig_open_net_device(DevIP, DevSN, DiscoverMac)
            }
        }
    }
}
