import QtQuick 2.15
import "../common"
import "../rules"

// Applies the analyses of the open picture to picture files the user picks
// and saves each of them again.
ItemRuleDialogBox {
    id: id_wnd
    objectName: "wnd_batch_ana"
    property bool mb_start_processing: false
    // Analyses {"ana_alias", "ana_str"}.
    property var m_arr_report: []
    // The folder the file dialog opens in.
    property string m_str_path: ""
    property int mn_btn_width: 80
    property int mn_btn_height: 30
    property var m_batching: null     // BatchingFile
    property var m_file_dialog: null  // ItemFileDialog
    property var m_main_window: null  // for its message box
    readonly property alias log: id_log
    readonly property alias anaCount: id_anas.count

    title: id_text.strBatchAna
    box_width: 480
    box_height: 600
    color: "#50000000"
    mb_can_close: !mb_start_processing

    // False (with a message) when there is nothing to apply.
    function show_wnd(arr_ana, str_path) {
        if (arr_ana.length === 0) {
            if (m_main_window)
                m_main_window.show_message(id_text.strNoAnalysis)
            return false
        }
        id_log.clear()
        id_anas.clear()
        for (var i = 0; i < arr_ana.length; ++i) {
            var ana = arr_ana[i]
            id_anas.append({ strName: (i + 1) + ". " + ana.ana_alias + " : " + ana.ana_str, strAna: ana.ana_str })
        }
        m_arr_report = arr_ana
        m_str_path = GlobalFunction.url_of_local_path(str_path)
        mb_start_processing = false
        visible = true
        return true
    }
    function choose_pictures() {
        m_file_dialog.show_dialog(id_wnd, 0, m_str_path, id_text.strChooseAnaPictures,
                                  [m_file_dialog.filter(id_text.strPictureFilter, "*.jpg *.png")], 0, true, true, false)
    }
    // The chosen pictures, as file URLs.
    function start_batch(urls) {
        var files = []
        for (var i = 0; i < urls.length; ++i)
            files.push(urls[i].toString())
        id_log.clear()
        mb_start_processing = true
        m_batching.start_batch_ana(files, m_arr_report)
    }
    onSig_close: visible = false

    ItemBatchText { id: id_text }

    Connections {
        target: id_wnd.m_batching
        enabled: id_wnd.mb_start_processing
        function onSig_batch_anas_init(n_total) { id_log.mn_maximum = n_total }
        function onSig_batch_anas_progress(n_pos) { id_log.mn_value = n_pos }
        function onSig_batch_anas_info(str_info) { id_log.insert_logo(str_info) }
        function onSig_batch_anas_end(n_status) {
            id_log.insert_logo(id_text.strBatchAnaEnd)
            id_log.mn_value = id_log.mn_maximum
            id_wnd.mb_start_processing = false
        }
    }
    Connections {
        target: id_wnd.m_file_dialog
        function onSig_accepted(item, purpose, urls) {
            if (item === id_wnd && urls.length > 0)
                id_wnd.start_batch(urls)
        }
    }

    Text {
        id: id_ana_title
        height: 22
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        text: id_text.strAnaList
    }
    Rectangle {
        id: id_ana_box
        anchors { left: parent.left; right: parent.right; top: id_ana_title.bottom }
        height: 200
        color: ItemCommonClr.clrClientBackground
        border.color: ItemCommonClr.clrTextBroder
        ListView {
            id: id_ana_view
            objectName: "batch_ana_list"
            anchors { fill: parent; margins: 1 }
            clip: true
            model: ListModel { id: id_anas }
            delegate: Text {
                width: id_ana_view.width
                height: 26
                leftPadding: 10
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                color: ItemCommonClr.clrTextButton
                font.pixelSize: 12
                textFormat: Text.PlainText
                text: strName
            }
        }
    }
    ItemRuleJobLog {
        id: id_log
        objectName: "batch_ana_log"
        anchors { left: parent.left; right: parent.right; top: id_ana_box.bottom; topMargin: 10
                  bottom: id_buttons.top; bottomMargin: 10 }
    }
    ItemBatchButtons {
        id: id_buttons
        mn_btn_width: id_wnd.mn_btn_width
        mn_btn_height: id_wnd.mn_btn_height
        mButtons: [
            { name: "batch_ana_start", text: id_text.strBatchModify, enabled: !id_wnd.mb_start_processing },
            { name: "batch_ana_exit", text: id_text.strExit, enabled: !id_wnd.mb_start_processing }
        ]
        onSig_clicked: {
            if (name === "batch_ana_start")
                id_wnd.choose_pictures()
            else
                id_wnd.visible = false
        }
    }
}
