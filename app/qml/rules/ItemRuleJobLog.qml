import QtQuick 2.15
import "../common"
import "."

// The log of a rule exchange job, newest entry first and highest number,
// and its progress bar with the percentage.
Item {
    id: id_log
    property int mn_maximum: 100
    property int mn_value: 0
    readonly property alias count: id_model.count
    // The export window has the bar under the log, the import window above.
    property bool mb_bar_below: false

    function insert_logo(str_info) {
        id_model.insert(0, { strName: str_info })
    }
    function clear() {
        id_model.clear()
    }
    function first_text() {
        return id_model.count > 0 ? id_model.get(0).strName : ""
    }

    ListModel { id: id_model }

    Row {
        id: id_bar_row
        y: id_log.mb_bar_below ? id_log.height - height : 0
        width: parent.width
        height: 30
        spacing: 8
        Text {
            id: id_bar_label
            anchors.verticalCenter: parent.verticalCenter
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: ItemRuleText.strImportProgress + ItemRuleText.strColon
        }
        Rectangle {
            id: id_bar
            objectName: "job_progress"
            anchors.verticalCenter: parent.verticalCenter
            // What the label and the percentage leave, beside the window's
            // 80-pixel action button at the row's end.
            width: Math.max(40, id_bar_row.width - id_bar_label.width - 44 - 2 * id_bar_row.spacing - 90)
            height: 14
            color: ItemCommonClr.clrClientBackground
            border.color: ItemCommonClr.clrTextBroder
            // A maximum of 0 shows an empty bar; a value past the maximum a full one.
            readonly property real fraction: id_log.mn_maximum > 0
                                             ? Math.max(0, Math.min(1, id_log.mn_value / id_log.mn_maximum)) : 0
            Rectangle {
                width: (parent.width - 2) * parent.fraction
                height: parent.height - 2
                x: 1
                y: 1
                color: ItemCommonClr.clrPress
            }
        }
        Text {
            objectName: "job_percent"
            width: 44
            anchors.verticalCenter: parent.verticalCenter
            horizontalAlignment: Text.AlignRight
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            font.bold: true
            text: (id_log.mn_maximum > 0 ? Math.floor(id_log.mn_value * 100 / id_log.mn_maximum) : 0) + "%"
        }
    }
    Text {
        id: id_heading
        y: id_log.mb_bar_below ? 0 : id_bar_row.height + 8
        height: 22
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        text: ItemRuleText.strLogInfo
    }
    Rectangle {
        anchors { left: parent.left; right: parent.right; top: id_heading.bottom; bottom: parent.bottom }
        anchors.bottomMargin: id_log.mb_bar_below ? id_bar_row.height + 8 : 0
        color: ItemCommonClr.clrClientBackground
        border.color: ItemCommonClr.clrTextBroder
        ListView {
            id: id_view
            objectName: "job_log"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            model: id_model
            delegate: ItemElidedText {
                width: id_view.width
                height: 30
                leftPadding: 10
                verticalAlignment: Text.AlignVCenter
                color: ItemCommonClr.clrTextButton
                font.pixelSize: 12
                text: (id_model.count - index) + ". " + strName
            }
        }
    }
}
