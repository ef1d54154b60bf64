import QtQuick 2.15
import "../common"

// Status bar: one line describing the selected file or the current document
// window, rebuilt on a language change.
Rectangle {
    id: id_status
    objectName: "status_bar"
    property var curRecord: ({})
    property string strKind: ""

    height: 30
    color: ItemCommonClr.clrTitleBackground
    border.width: 1
    border.color: "#101822"

    function field(label, key) {
        var value = curRecord[key]
        return label + ItemCommonText.strColon + (value === undefined ? ItemCommonText.strTextUnknown : value)
    }
    function rebuild() {
        var r = curRecord
        if (r.nFileType === undefined) {
            id_text.text = ""
            return
        }
        var t = ItemCommonText
        var parts = []
        if (strKind === "preview") {
            if (r.nCurFileCount !== undefined && r.nCurFileCount > 1) {
                id_text.text = t.strTextSelectedFiles.arg(r.nCurFileCount)
                return
            }
            var ir = r.nFileType === 1 || r.nFileType === 2
            parts.push(field(t.strTextSize, "strSize"))
            if (ir)
                parts.push(field(t.strTextResolution, "strSettingResolution"))
            parts.push(r.nFileType === 1 ? field(t.strTextSnapTime, "strSettingSnapTime")
                                         : field(t.strTextCreateTime, "strSettingCreateTime"))
            if (r.nFileType === 2) {
                parts.push(field(t.strTextStartTime, "strSettingStartTime"))
                parts.push(field(t.strTextEndTime, "strSettingEndTime"))
            } else {
                parts.push(field(t.strTextChangeTime, "strSettingChangeTime"))
            }
            if (ir) {
                parts.push(field(t.strTextDevice, "strSettingMac"))
                parts.push(field(t.strTextLenType, "strSettingLenType"))
            }
        } else if (strKind === "image") {
            parts = [field(t.strTextResolution, "strSettingResolution"), field(t.strTextSnapTime, "strSettingSnapTime"),
                     field(t.strTextChangeTime, "strSettingChangeTime"), field(t.strTextDevice, "strSettingMac"),
                     field(t.strTextLenType, "strSettingLenType"), field(t.strTextTempRange, "strSettingTempRange")]
        } else if (strKind === "video") {
            parts = [field(t.strTextResolution, "strSettingResolution"), field(t.strTextStartTime, "strSettingStartTime"),
                     field(t.strTextEndTime, "strSettingEndTime"), field(t.strTextDevice, "strSettingMac"),
                     field(t.strTextLenType, "strSettingLenType"), field(t.strTextTempRange, "strSettingTempRange")]
        } else if (strKind === "device") {
            parts = [field(t.strTextResolution, "strSettingResolution"), field(t.strTextDevice, "strSettingMac"),
                     field(t.strTextStartTime, "strSettingStartTime"),
                     t.strTextCurrentTime + t.strColon + Qt.formatDateTime(new Date(), "yyyy-MM-dd hh:mm:ss")]
        }
        id_text.text = parts.join(" - ")
    }
    function show_record(kind, record) {
        strKind = kind
        curRecord = record ? record : ({})
        id_clock.running = kind === "device" && curRecord.nFileType !== undefined
        rebuild()
    }
    function update_preview_file_info(record) { show_record("preview", record) }
    function update_ir_wnd_image_info(record) { show_record("image", record) }
    function update_ir_wnd_video_info(record) { show_record("video", record) }
    function update_ir_wnd_device_info(record) { show_record("device", record) }

    Timer {
        id: id_clock
        interval: 1000
        repeat: true
        onTriggered: id_status.rebuild()
    }
    Connections {
        target: HTranslator
        function onSig_language_changed() { id_status.rebuild() }
    }

    Text {
        id: id_text
        objectName: "status_text"
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextNormal
        font.pixelSize: 12
    }
}
