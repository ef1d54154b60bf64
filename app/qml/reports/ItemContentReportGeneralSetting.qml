import QtQuick 2.15
import "../common"

// Position and size of the selected components: X, Y, W and H with the
// range each may take on the page. Finishing an edit moves or resizes the
// selection through the designer; a refused edit shows the old value again.
Column {
    id: id_general
    objectName: "report_general_setting"
    property var wndReport: null
    property int nPageWidth: 991
    property int nPageHeight: 1000
    property int nX: 0
    property int nY: 0
    property int nW: 100
    property int nH: 100
    // Several components or a mark: W and H are not editable.
    property bool bSizeFixed: false
    property string strTitle: ""

    spacing: 6

    function update_setting(json) {
        if (json === undefined || json === null || json["nPageWidth"] === undefined)
            return
        nPageWidth = json["nPageWidth"]
        nPageHeight = json["nPageHeight"]
        nX = json["nX"]
        nY = json["nY"]
        nW = json["nW"]
        nH = json["nH"]
        refresh()
    }
    // Shows the held values again (also after a refused edit).
    function refresh() {
        id_x.text = String(nX)
        id_y.text = String(nY)
        id_w.text = bSizeFixed ? "-" : String(nW)
        id_h.text = bSizeFixed ? "-" : String(nH)
    }
    onBSizeFixedChanged: refresh()
    Component.onCompleted: refresh()

    // The range a field may take, as shown beside it.
    function range_of(n_type) {
        switch (n_type) {
        case 0: return [0, nPageWidth - nW]
        case 1: return [0, nPageHeight - nH]
        case 2: return [20, nPageWidth - nX]
        default: return [20, nPageHeight - nY]
        }
    }
    // n_type: 0 shift x, 1 shift y, 2 width, 3 height. A value outside its
    // range, or one the designer refuses, shows the old value again.
    function edited(n_type, field) {
        var value = parseInt(field.text)
        var shown = [nX, nY, nW, nH][n_type]
        var range = range_of(n_type)
        if (isNaN(value) || value === shown || value < range[0] || value > range[1]) {
            refresh()
            return
        }
        var arg = n_type < 2 ? value - shown : value
        if (wndReport !== null && wndReport.move_cur_com_pos(n_type, arg))
            update_setting(wndReport.get_cur_com_general_setting())
        else
            refresh()
    }

    component Field: Row {
        id: id_row
        property string strLabel: ""
        property string strRange: ""
        property alias text: id_input.text
        property alias readOnly: id_input.readOnly
        property alias input: id_input
        signal sig_edited()
        spacing: 6
        height: 26
        Text {
            width: 20
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: id_row.strLabel
        }
        Rectangle {
            width: 90
            height: 24
            color: id_input.readOnly ? ItemCommonClr.clrTitleBackground : ItemCommonClr.clrClientBackground
            border.color: id_input.activeFocus ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
            TextInput {
                id: id_input
                anchors.fill: parent
                anchors.margins: 4
                color: ItemCommonClr.clrTextButton
                font.pixelSize: 12
                selectByMouse: true
                clip: true
                validator: IntValidator { bottom: 0 }
                onEditingFinished: if (!readOnly) id_row.sig_edited()
            }
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextSecLv
            font.pixelSize: 12
            text: id_row.strRange
        }
    }

    Text {
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 14
        text: id_general.strTitle
    }
    Field {
        id: id_x
        objectName: "general_x"
        strLabel: "X"
        strRange: "( 0 - " + (id_general.nPageWidth - id_general.nW) + " )"
        onSig_edited: id_general.edited(0, id_x)
    }
    Field {
        id: id_y
        objectName: "general_y"
        strLabel: "Y"
        strRange: "( 0 - " + (id_general.nPageHeight - id_general.nH) + " )"
        onSig_edited: id_general.edited(1, id_y)
    }
    Field {
        id: id_w
        objectName: "general_w"
        strLabel: "W"
        readOnly: id_general.bSizeFixed
        strRange: "( 20 - " + (id_general.nPageWidth - id_general.nX) + " )"
        onSig_edited: id_general.edited(2, id_w)
    }
    Field {
        id: id_h
        objectName: "general_h"
        strLabel: "H"
        readOnly: id_general.bSizeFixed
        strRange: "( 20 - " + (id_general.nPageHeight - id_general.nY) + " )"
        onSig_edited: id_general.edited(3, id_h)
    }
}
