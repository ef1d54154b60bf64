import QtQuick 2.15
import "../common"

// The object list of a chart panel: numbered rows with the object's text, an
// optional colour swatch and a check (several) or radio (one) mark.
Column {
    id: id_list
    property string strTitle: ""
    property bool bSingle: false
    property bool bShowColor: false
    property var colorDialog: null
    property int nColorId: 0

    signal sig_toggle(int n_id, bool b_enable)
    signal sig_color(int n_id, color clr)

    function find_row(n_id) {
        for (var i = 0; i < id_model.count; ++i)
            if (id_model.get(i).nId === n_id) return i
        return -1
    }
    // Adds or refreshes the row of an object.
    function update_row(n_id, str_text, b_enable, str_clr) {
        var i = find_row(n_id)
        var row = { "nId": n_id, "strText": str_text, "bEnable": b_enable, "strClr": str_clr === undefined ? "" : str_clr }
        if (i < 0) id_model.append(row); else id_model.set(i, row)
        if (bSingle && b_enable)
            for (var k = 0; k < id_model.count; ++k) id_model.setProperty(k, "bEnable", id_model.get(k).nId === n_id)
    }
    function remove_row(n_id) { var i = find_row(n_id); if (i >= 0) id_model.remove(i) }
    function clear_rows() { id_model.clear() }
    function row_count() { return id_model.count }

    Connections {
        target: id_list.colorDialog
        ignoreUnknownSignals: true
        function onSig_change_color(item, clr) {
            if (item !== id_list) return
            var i = id_list.find_row(id_list.nColorId)
            if (i >= 0) id_model.setProperty(i, "strClr", clr.toString())
            id_list.sig_color(id_list.nColorId, clr)
        }
    }

    spacing: 4
    Text { text: id_list.strTitle; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; textFormat: Text.PlainText }
    Repeater {
        model: ListModel { id: id_model }
        delegate: Item {
            objectName: id_list.objectName + "_row_" + index
            width: id_list.width
            height: 22
            Text {
                id: id_row_text
                anchors { left: parent.left; right: id_swatch.left; verticalCenter: parent.verticalCenter }
                elide: Text.ElideRight
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextSecLv
                font.pixelSize: 12
                text: " " + (index + 1) + ". " + model.strText
            }
            MouseArea {
                anchors.fill: id_row_text
                onClicked: id_list.sig_toggle(model.nId, id_list.bSingle ? true : !model.bEnable)
            }
            Rectangle {
                id: id_swatch
                anchors { right: id_mark.left; rightMargin: 6; verticalCenter: parent.verticalCenter }
                width: id_list.bShowColor ? 14 : 0
                height: 14
                visible: id_list.bShowColor
                color: model.strClr === "" ? "transparent" : model.strClr
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        if (id_list.colorDialog === null) return
                        id_list.nColorId = model.nId
                        id_list.colorDialog.show_color_dialog(id_list, parent.color)
                    }
                }
            }
            ItemCustomRadio {
                id: id_mark
                objectName: id_list.objectName + "_mark_" + index
                anchors { right: parent.right; verticalCenter: parent.verticalCenter }
                bSquare: !id_list.bSingle
                checked: model.bEnable
                onSig_clicked: id_list.sig_toggle(model.nId, id_list.bSingle ? true : !model.bEnable)
            }
        }
    }
}
