import QtQuick 2.15
import QtQuick.Window 2.15
import "../common"
import "."

// A movable box over a layer that swallows the mouse: the frame of the rule
// dialogs. Children go into the box's content area.
Rectangle {
    id: id_layer
    property alias title: id_title.text
    property alias box_width: id_box.width
    property alias box_height: id_box.height
    property bool mb_can_close: true
    // Covers the whole window, not only the page that declares it, once shown.
    property bool mb_whole_window: false
    default property alias content: id_content.data

    signal sig_close()

    anchors.fill: parent
    color: "#20FFFFFF"
    visible: false
    z: 50

    onVisibleChanged: {
        if (visible && mb_whole_window && Window.contentItem && parent !== Window.contentItem) {
            parent = Window.contentItem
        }
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: wheel.accepted = true
    }
    Rectangle {
        id: id_box
        x: (id_layer.width - width) / 2
        y: (id_layer.height - height) / 2
        color: ItemCommonClr.clrBackground
        border.width: 1
        border.color: ItemCommonClr.clrTextBroder

        Rectangle {
            id: id_strip
            width: parent.width
            height: 38
            color: ItemCommonClr.clrTitleBackground
            Text {
                id: id_title
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                color: ItemCommonClr.clrTextButton
                font.pixelSize: 14
            }
            MouseArea {
                anchors.fill: parent
                drag.target: id_box
                drag.minimumX: 0
                drag.minimumY: 0
                drag.maximumX: id_layer.width - id_box.width
                drag.maximumY: id_layer.height - id_box.height
            }
            ItemRuleButton {
                objectName: id_layer.objectName + "_close"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                anchors.rightMargin: 6
                width: 34
                height: 26
                text: "×"
                enabled: id_layer.mb_can_close
                onClicked: id_layer.sig_close()
            }
        }
        Item {
            id: id_content
            anchors { left: parent.left; right: parent.right; top: id_strip.bottom; bottom: parent.bottom; margins: 12 }
        }
    }
}
