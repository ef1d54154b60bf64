import QtQuick 2.15
import VY.WndVideoEdit 1.0
import "../common"
import "../alarms"

// The clip editor of the player window: the camera whose recordings it cuts
// (any camera of the recordings opened), its recordings as a time bar with
// the frame shown and the start and end marks, the buttons that move the
// marks, the sampling interval, and the clip's save dialog.
Rectangle {
    id: id_wnd
    objectName: "wnd_video_edit"
    width: 760
    height: 214
    visible: false
    z: 10
    color: ItemCommonClr.clrTitleBackground
    border.color: ItemCommonClr.clrBackground

    property var wndIRShow: null
    property var m_file_dialog: null
    readonly property alias editor: id_edit
    // The labels, refreshed whenever a mark moves.
    property int nStart: 0
    property int nEnd: 0
    property string strCur: ""
    property int nClipTotal: 0
    property int nInterval: 1
    // The cameras of the recordings opened, by name, and the one shown.
    property var arrDevices: []
    property int nDevice: -1

    signal sig_message(string text)
    signal sig_clip(string path)

    function show_editor() {
        if (!id_edit.update_edit_area())
            return false
        id_edit.set_wnd_using(true)
        visible = true
        refresh()
        return true
    }
    function hide_editor() {
        id_edit.set_wnd_using(false)
        visible = false
    }
    function refresh() {
        nStart = id_edit.get_start_video_frame() + 1
        nEnd = id_edit.get_end_video_frame() + 1
        strCur = (id_edit.get_cur_video_frame() + 1) + " / " + id_edit.get_cur_video_total_frame()
        nClipTotal = id_edit.get_clip_video_total_frame()
        nInterval = id_edit.get_clip_interval()
        var devices = id_edit.get_device_list()
        var names = []
        var chosen = -1
        for (var i = 0; i < devices.length; ++i) {
            names.push(devices[i].strDeviceName)
            if (devices[i].bDeviceChoice) chosen = i
        }
        arrDevices = names
        nDevice = chosen
    }
    // Another camera: its recordings, from the first frame of the first.
    function choose_device(n_index) {
        id_edit.check_device_index(n_index)
        refresh()
    }
    function step_interval(n_delta) {
        id_edit.set_clip_interval(id_edit.get_clip_interval() + n_delta)
        refresh()
    }
    function ask_path() {
        if (m_file_dialog)
            m_file_dialog.open_save_video_dialog(id_wnd, 0, DataConfig.str_clip_video_path)
    }

    Connections {
        target: id_wnd.m_file_dialog
        function onSig_accepted(item, purpose, urls) {
            if (item !== id_wnd || urls.length === 0)
                return
            DataConfig.str_clip_video_path = id_wnd.m_file_dialog.folder.toString()
            id_wnd.sig_clip(urls[0].toString())
        }
    }

    ItemWndHead {
        strTitle: qsTr("视频剪辑窗口")
        closeObjectName: "btn_video_edit_close"
        onSig_close: id_wnd.hide_editor()
    }
    Row {
        x: 10; y: 30
        z: id_device.bOpen ? 1 : 0
        spacing: 8
        Text {
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: qsTr("设备")
        }
        ItemWarningCombo {
            id: id_device
            objectName: "combo_clip_device"
            width: 260
            listText: id_wnd.arrDevices
            nCurIndex: id_wnd.nDevice
            // Recordings opened since the list was read join it.
            onBOpenChanged: if (bOpen) id_wnd.refresh()
            onSig_activated: id_wnd.choose_device(n_index)
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
            text: id_wnd.nDevice >= 0 && id_wnd.wndIRShow ? id_edit.get_video_resolution() : ""
        }
    }
    WndVideoEdit {
        id: id_edit
        objectName: "video_edit_bar"
        x: 10; y: 56
        width: parent.width - 20
        height: 48
        Component.onCompleted: if (id_wnd.wndIRShow) id_wnd.wndIRShow.set_video_edit_wnd(id_edit)
        onSig_cur_frame_changed: id_wnd.refresh()
        onSig_start_clip_frame_changed: id_wnd.refresh()
        onSig_end_clip_frame_changed: id_wnd.refresh()
        onSig_show_file_tooltip: {
            id_tip.visible = show
            id_tip.text = file
            var at = id_wnd.mapFromItem(null, x, y)
            id_tip.x = Math.min(at.x + 12, id_wnd.width - id_tip.width - 4)
            id_tip.y = at.y - 22
        }
    }
    Grid {
        x: 10; y: 112
        columns: 4
        columnSpacing: 8
        rowSpacing: 2
        ItemVideoEditStep {
            objectName: "step_start"
            strLabel: qsTr("起始帧")
            nValue: id_wnd.nStart
            onSig_step: id_edit.increase_clip_start_frame(n_delta)
        }
        ItemVideoEditStep {
            objectName: "step_end"
            strLabel: qsTr("结束帧")
            nValue: id_wnd.nEnd
            onSig_step: id_edit.increase_clip_end_frame(n_delta)
        }
        ItemVideoEditStep {
            objectName: "step_interval"
            strLabel: qsTr("间隔")
            nValue: id_wnd.nInterval
            bRepeat: false
            onSig_step: id_wnd.step_interval(n_delta)
        }
        Text {
            height: 30
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: qsTr("当前帧") + " " + id_wnd.strCur
        }
    }
    Row {
        x: 10; y: 150
        spacing: 8
        ItemIRToolButton {
            objectName: "btn_set_clip_start"
            strText: qsTr("设为起始帧")
            onSig_press_btn: if (!id_edit.set_clip_start_frame()) id_wnd.sig_message(qsTr("起始帧不能大于结束帧！"))
        }
        ItemIRToolButton {
            objectName: "btn_set_clip_end"
            strText: qsTr("设为结束帧")
            onSig_press_btn: if (!id_edit.set_clip_end_frame()) id_wnd.sig_message(qsTr("结束帧不能小于起始帧！"))
        }
        Text {
            objectName: "text_clip_summary"
            height: 30
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
            text: qsTr("剪辑帧数") + " " + Math.floor(id_wnd.nClipTotal / id_wnd.nInterval) + "    " + qsTr("剪辑文件数")
                  + " " + (Math.floor(Math.floor(id_wnd.nClipTotal / id_edit.get_clip_simple_video_max_frame())
                                      / id_wnd.nInterval) + 1)
        }
    }
    ItemIRToolButton {
        objectName: "btn_clip_save"
        anchors { right: parent.right; bottom: parent.bottom; margins: 10 }
        strText: qsTr("剪辑")
        onSig_press_btn: id_wnd.ask_path()
    }
    Text {
        id: id_tip
        visible: false
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        Rectangle { anchors.fill: parent; anchors.margins: -3; z: -1; color: ItemCommonClr.clrBackground }
    }
}
