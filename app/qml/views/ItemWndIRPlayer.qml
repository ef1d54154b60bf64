import QtQuick 2.15
import QtQuick.Window 2.15
import VY.WndPlayerProgressBar 1.0
import "../common"
import "../alarms"

// The window of opened recordings: the player toolbar, the IR view with its
// analysis toolbar, its tools and the progress bar, a column with the play
// list and the marks of the recording shown, and the property column.
FocusScope {
    id: id_wnd
    objectName: "wnd_ir_player"
    property int mn_wnd_type: ItemCommonDef.wndFunctionPlayer
    property int mn_index: 0
    property int mn_index_type: 0
    property string ms_name: ""
    readonly property alias wndIRShow: id_area_ir.wndIRShow
    readonly property alias progressBar: id_progress
    property var m_file_dialog: null  // ItemFileDialog
    property string strTip: ""
    property int nFrames: 0
    property int nFrameCur: 0
    property string strCurPath: ""
    // A trend analysis runs on this recording: the marks stay as they are.
    property bool bTrendRunning: false
    // Recordings chosen in the open dialog, still to be opened, and the
    // first of them that opened.
    property var arrPending: []
    property string strFirstAdded: ""

    function set_open_picture(str_folder, str_file) { return open_file(str_file) }

    function open_file(str_path) {
        if (!id_area_ir.open_file(str_path)) {
            strTip = qsTr("打开视频失败！")
            return false
        }
        strTip = ""
        show_file()
        id_wnd.forceActiveFocus()
        return true
    }
    // After the recording shown changed.
    function show_file() {
        strCurPath = wndIRShow.get_file_path()
        id_marks.update_marks()
        id_property.update_ir_property()
        report_status()
    }
    // The status bar describes the recording of the window on show.
    function report_status() {
        var main = Window.window
        if (!visible || !main || !main.statusBar || strCurPath === "")
            return
        var record = wndIRShow.get_ir_property()
        record["nFileType"] = 2
        main.statusBar.update_ir_wnd_video_info(record)
    }
    onVisibleChanged: report_status()

    // The open dialog adds recordings to the play list.
    function add_files() {
        if (m_file_dialog)
            m_file_dialog.show_open_video(id_wnd, 0, DataConfig.str_irv_open_path)
    }
    function take_files(urls) {
        var pending = arrPending
        for (var i = 0; i < urls.length; ++i)
            pending.push(GlobalFunction.local_path_of_url(urls[i]))
        arrPending = pending
        id_add_timer.start()
    }
    Connections {
        target: id_wnd.m_file_dialog
        ignoreUnknownSignals: true
        function onSig_accepted(item, purpose, urls) {
            if (item !== id_wnd) return
            DataConfig.str_irv_open_path = GlobalFunction.local_path_of_url(id_wnd.m_file_dialog.folder)
            id_wnd.take_files(urls)
        }
    }
    // One recording per tick: each that opens joins the list; the first of
    // them is shown at the end.
    Timer {
        id: id_add_timer
        interval: 50
        repeat: true
        onTriggered: {
            if (id_wnd.arrPending.length === 0) {
                stop()
                var first = id_wnd.strFirstAdded
                id_wnd.strFirstAdded = ""
                if (first !== "") id_wnd.open_file(first)
                return
            }
            var pending = id_wnd.arrPending
            var path = pending.shift()
            id_wnd.arrPending = pending
            if (id_wnd.open_file(path) && id_wnd.strFirstAdded === "")
                id_wnd.strFirstAdded = path
        }
    }
    function update_play_list_names() {
        id_play_list.clear()
        for (var i = 0; i < arrPlayList.length; ++i) {
            var path = arrPlayList[i]
            id_play_list.append({ path: path, name: path.substring(path.lastIndexOf("/") + 1) })
        }
    }
    property var arrPlayList: []
    function press_btn(n_id) {
        switch (n_id) {
        case ItemCommonDef.idBtnPlayerPlay: wndIRShow.set_player_ctrl(0); break
        case ItemCommonDef.idBtnPlayerPause: wndIRShow.set_player_ctrl(1); break
        case ItemCommonDef.idBtnPlayerStop: wndIRShow.set_player_ctrl(2); break
        case ItemCommonDef.idBtnPlayerFirst: id_progress.set_frame_first_cur(); break
        case ItemCommonDef.idBtnPlayerPre: id_progress.set_frame_pre_cur(); break
        case ItemCommonDef.idBtnPlayerNext: id_progress.set_frame_next_cur(); break
        case ItemCommonDef.idBtnPlayerLast: id_progress.set_frame_last_cur(); break
        case ItemCommonDef.idBtnVideoEdit: id_video_edit.show_editor(); break
        }
        id_toolbar.bPlaying = wndIRShow.is_playing()
        id_wnd.forceActiveFocus()
    }
    function go_to_mark(n_frame) {
        wndIRShow.set_player_ctrl(1)
        id_toolbar.bPlaying = false
        id_progress.set_frame_cur(n_frame)
    }

    Keys.onPressed: {
        if (event.key === Qt.Key_Space) {
            press_btn(wndIRShow.is_playing() ? ItemCommonDef.idBtnPlayerPause : ItemCommonDef.idBtnPlayerPlay)
            event.accepted = true
        } else if ((event.key === Qt.Key_Left || event.key === Qt.Key_Right) && !wndIRShow.is_playing()
                   && ((event.modifiers & Qt.ControlModifier) || id_area_ir.nCurAna === 0)) {
            if (event.key === Qt.Key_Left) id_progress.set_frame_pre_cur(); else id_progress.set_frame_next_cur()
            event.accepted = true
        } else if (!(event.modifiers & Qt.ControlModifier) && event.key >= Qt.Key_Left
                   && event.key <= Qt.Key_Down && id_area_ir.nCurAna !== 0) {
            wndIRShow.move_ana_position(event.key)
            event.accepted = true
        }
    }

    ItemToolbarPlayerCtrl {
        id: id_toolbar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 68
        strFrameText: id_wnd.nFrames > 0 ? (id_wnd.nFrameCur + " / " + id_wnd.nFrames) : ""
        onSig_press_btn: id_wnd.press_btn(n_id)
        onSig_speed: { if (id_wnd.wndIRShow.set_player_speed(f_speed)) fSpeed = f_speed; id_wnd.forceActiveFocus() }
        onSig_mode: { if (id_wnd.wndIRShow.set_player_mode(n_mode)) nPlayMode = n_mode; id_wnd.forceActiveFocus() }
    }

    ItemAreaIRShow {
        id: id_area_ir
        nWndType: ItemCommonDef.wndFunctionPlayer
        bFitSmall: true
        anchors { left: parent.left; right: id_column.left; top: id_toolbar.bottom; bottom: id_tools.top }
        onSig_update_cur_ana: id_property.nCurAna = n_cur_ana
    }

    ItemIRViewTools {
        id: id_tools
        anchors { left: parent.left; right: id_column.left; bottom: id_progress.top }
        areaIR: id_area_ir
        strName: qsTr("视频分析 ") + id_wnd.mn_index_type
        bLive: true
    }

    WndPlayerProgressBar {
        id: id_progress
        objectName: "player_progress_bar"
        anchors { left: parent.left; right: id_column.left; bottom: parent.bottom }
        height: 30
    }

    Component.onCompleted: {
        wndIRShow.set_wnd_index(mn_index)
        wndIRShow.set_wnd_type_index(mn_index_type)
        wndIRShow.set_player_progress_bar(id_progress.get_bar())
    }

    Connections {
        target: id_wnd.wndIRShow
        function onSig_update_player_progress_init(n_frames) { id_wnd.nFrames = n_frames }
        function onSig_update_player_progress_cur(n_frame) {
            id_wnd.nFrameCur = n_frame
            if (!id_temp_timer.running) id_temp_timer.start()
        }
        function onSig_update_player_play_start() { id_toolbar.bPlaying = true }
        function onSig_update_player_play_stop() { id_toolbar.bPlaying = false }
        function onSig_change_player_file(str_path) { id_wnd.show_file() }
        function onSig_start_trend_analysis() { id_wnd.bTrendRunning = true }
        function onSig_stop_trend_analysis() { id_wnd.bTrendRunning = false }
        function onSig_update_ir_param_info() { id_property.update_ir_property() }
        function onSig_update_ir_temp_info() { id_property.update_ir_temp_info() }
        function onSig_update_ana_temp_info() { id_property.update_ana_temp_info() }
        function onSig_update_cur_ana(n_cur_ana) { id_property.update_ana_temp_info() }
        function onSig_add_file_player_list(str_path) {
            if (id_wnd.wndIRShow.add_file(str_path)) {
                var list = id_wnd.arrPlayList
                list.push(str_path)
                id_wnd.arrPlayList = list
                id_wnd.update_play_list_names()
            }
        }
    }

    // The temperatures follow the frames shown, a few times a second.
    Timer {
        id: id_temp_timer
        interval: 250
        onTriggered: id_property.update_ir_temp_info()
    }

    ItemAreaPropertyIR {
        id: id_property
        anchors { right: parent.right; top: id_toolbar.bottom; bottom: parent.bottom }
        width: 260
        wndIRShow: id_wnd.wndIRShow
        nWndType: ItemCommonDef.wndFunctionPlayer
    }

    Rectangle {
        id: id_column
        anchors { right: id_property.left; top: id_toolbar.bottom; bottom: parent.bottom }
        width: 240
        color: ItemCommonClr.clrClientBackground
        border.color: ItemCommonClr.clrTitleBackground

        Row {
            id: id_list_head
            x: 8
            height: 30
            spacing: 4
            Text {
                anchors.verticalCenter: parent.verticalCenter
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextLabel
                font.pixelSize: 13
                text: qsTr("播放列表")
            }
            ItemIRToolButton {
                objectName: "btn_play_list_add"
                anchors.verticalCenter: parent.verticalCenter
                strText: "+"
                onSig_press_btn: id_wnd.add_files()
            }
        }
        ListView {
            id: id_list_view
            objectName: "view_play_list"
            anchors { left: parent.left; right: parent.right; top: id_list_head.bottom }
            height: 140
            clip: true
            model: ListModel { id: id_play_list }
            delegate: Text {
                x: 8
                width: id_list_view.width - 16
                height: 24
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideMiddle
                textFormat: Text.PlainText
                objectName: "play_list_" + index
                color: model.path === id_wnd.strCurPath ? ItemCommonClr.clrPress : ItemCommonClr.clrTextLabel
                font.pixelSize: 12
                text: model.name
                MouseArea { anchors.fill: parent; onDoubleClicked: id_wnd.open_file(model.path) }
            }
        }
        ItemListIRVideo {
            id: id_marks
            anchors { left: parent.left; right: parent.right; top: id_list_view.bottom }
            anchors.margins: 1
            height: Math.max(120, (parent.height - id_list_view.height - id_list_head.height) / 2)
            wndIRShow: id_wnd.wndIRShow
            bTrendRunning: id_wnd.bTrendRunning
            onSig_go_to_mark: id_wnd.go_to_mark(n_frame)
            onSig_refused: id_message.show_message_box(str_text)
        }
        // The alarm panel under the marks: conditions are checked on every
        // frame the player shows.
        ItemAreaWarning {
            anchors { left: parent.left; right: parent.right; top: id_marks.bottom; bottom: parent.bottom }
            anchors.margins: 1
            wndIRShow: id_wnd.wndIRShow
        }
    }

    ItemWndVideoEdit {
        id: id_video_edit
        anchors { horizontalCenter: id_area_ir.horizontalCenter; bottom: id_progress.top; bottomMargin: 4 }
        width: Math.min(760, id_area_ir.width - 8)
        wndIRShow: id_wnd.wndIRShow
        m_file_dialog: id_wnd.m_file_dialog
        onSig_message: id_message.show_message_box(text)
        onSig_clip: {
            if (id_clip_progress.start(id_video_edit.editor, path))
                return
            var refusal = id_clip_progress.progress.get_refusal()
            if (refusal !== "") id_message.show_message_box_width(refusal, 420, 200)
            else id_message.show_message_box(qsTr("视频剪辑失败！"))
        }
    }
    ItemWndVideoEditProgress {
        id: id_clip_progress
        anchors.fill: parent
        onSig_finished: {
            id_message.show_message_box(b_ok ? qsTr("视频剪辑完成！") : qsTr("视频剪辑失败！"))
            id_marks.update_marks()
        }
    }
    ItemMessageBox { id: id_message; objectName: "message_box_player" }

    Text {
        objectName: "text_tip"
        anchors.centerIn: id_area_ir
        visible: id_wnd.strTip !== ""
        textFormat: Text.PlainText
        color: "#FF4040"
        font.pixelSize: 16
        text: id_wnd.strTip
    }
}
