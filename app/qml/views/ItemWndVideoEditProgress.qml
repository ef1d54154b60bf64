import QtQuick 2.15
import VY.WndVideoEditProgress 1.0
import "../common"

// The progress of a clip job over the player window: while it runs the
// window under it takes no input.
MouseArea {
    id: id_wnd
    objectName: "wnd_video_edit_progress"
    visible: false
    z: 20
    hoverEnabled: true
    acceptedButtons: Qt.AllButtons
    onWheel: wheel.accepted = true

    readonly property alias progress: id_progress
    signal sig_finished(bool b_ok)

    function start(editor, str_path) {
        if (!id_progress.set_video_clip_info(editor, str_path))
            return false
        visible = true
        return true
    }

    Rectangle { anchors.fill: parent; color: "#80000000" }
    Rectangle {
        anchors.centerIn: parent
        width: 480
        height: 80
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrBackground
        Text {
            x: 12; y: 8
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: qsTr("视频剪辑中")
        }
        WndVideoEditProgress {
            id: id_progress
            objectName: "video_edit_progress"
            x: 12; y: 32
            width: parent.width - 24
            height: 30
            onSig_record_ok: { id_wnd.visible = false; id_wnd.sig_finished(true) }
            onSig_record_err: { id_wnd.visible = false; id_wnd.sig_finished(false) }
        }
    }
}
