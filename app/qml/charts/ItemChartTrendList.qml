import QtQuick 2.15
import "../common"

// The series list of a trend window: one node per source and under it one
// row per curve (object, kind or range text, colour), numbered from 1.
Column {
    id: id_list
    property string strTitle: qsTr("分析列表")
    // The colour dialog of the window (ItemColorDialog); the row it edits.
    property var colorDialog: null
    property int nColorRow: -1

    signal sig_delete(int n_ana, var kind)
    signal sig_color(int n_ana, var kind, string str_clr)

    function find_row(n_ir, n_ana, kind) {
        for (var i = 0; i < id_model.count; ++i) {
            var r = id_model.get(i)
            if (r.nIr === n_ir && r.nAna === n_ana && (kind === undefined || r.strKind === "" + kind)) return i
        }
        return -1
    }
    // Adds a curve, or replaces the texts and colour of the same curve.
    function add_row(n_ir, str_source, n_ana, kind, str_text, str_clr) {
        var row = { "nIr": n_ir, "strSource": str_source, "nAna": n_ana, "strKind": "" + kind,
                    "strText": str_text, "strClr": str_clr }
        var i = find_row(n_ir, n_ana, kind)
        if (i < 0) id_model.append(row); else id_model.set(i, row)
    }
    function remove_rows(n_ir, n_ana, kind) {
        for (var i = id_model.count - 1; i >= 0; --i) {
            var r = id_model.get(i)
            if (r.nIr === n_ir && (n_ana === undefined || r.nAna === n_ana) && (kind === undefined || r.strKind === "" + kind))
                id_model.remove(i)
        }
    }
    function clear_rows() { id_model.clear() }
    // Sets the text of every row of source n_ir anew: text_of(n_ana, str_kind).
    function refresh_texts(n_ir, text_of) {
        for (var i = 0; i < id_model.count; ++i) {
            var r = id_model.get(i)
            if (r.nIr === n_ir)
                id_model.setProperty(i, "strText", text_of(r.nAna, r.strKind))
        }
    }
    function row_count() { return id_model.count }
    function row_texts() {
        var texts = []
        for (var i = 0; i < id_model.count; ++i) texts.push(id_model.get(i).strText)
        return texts
    }

    Connections {
        target: id_list.colorDialog
        ignoreUnknownSignals: true
        function onSig_change_color(item, clr) {
            if (item !== id_list || id_list.nColorRow < 0 || id_list.nColorRow >= id_model.count) return
            var r = id_model.get(id_list.nColorRow)
            id_model.setProperty(id_list.nColorRow, "strClr", clr.toString())
            id_list.sig_color(r.nAna, r.strKind, clr.toString())
        }
    }

    spacing: 4
    Text { text: id_list.strTitle; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; textFormat: Text.PlainText }
    Repeater {
        model: ListModel { id: id_model }
        delegate: Item {
            width: id_list.width
            height: 22
            Rectangle {
                id: id_swatch
                anchors { left: parent.left; verticalCenter: parent.verticalCenter }
                objectName: "swatch_trend_" + index
                width: 12
                height: 12
                color: model.strClr
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        if (id_list.colorDialog === null) return
                        id_list.nColorRow = index
                        id_list.colorDialog.show_color_dialog(id_list, "green")
                    }
                }
            }
            Text {
                anchors { left: id_swatch.right; leftMargin: 4; right: id_del.left; verticalCenter: parent.verticalCenter }
                elide: Text.ElideRight
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextSecLv
                font.pixelSize: 12
                text: "   " + (index + 1) + ". " + model.strText + " [" + model.strSource + "]"
            }
            Text {
                id: id_del
                anchors { right: parent.right; verticalCenter: parent.verticalCenter }
                text: "×"
                color: ItemCommonClr.clrTextNormal
                font.pixelSize: 14
                MouseArea { anchors.fill: parent; onClicked: id_list.sig_delete(model.nAna, model.strKind) }
            }
        }
    }
}
