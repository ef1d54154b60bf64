import QtQuick 2.15
import "../common"

// One row of the alarm dialog: object A, operator, object B, comparison and
// temperature. listAna holds the dialog's object list (first entry empty).
Row {
    id: id_row
    property int nRow: 0
    property var listAna: []
    readonly property var listAnaName: listAna.map(function(ana) { return ana["s_ana_name"] })
    readonly property bool bUsed: id_a.nCurIndex > 0 || id_op.nCurIndex > 0 || id_b.nCurIndex > 0
    readonly property bool bOpen: id_a.bOpen || id_op.bOpen || id_b.bOpen || id_cmp.bOpen

    spacing: 6
    height: 26

    function reset() {
        id_a.nCurIndex = 0; id_op.nCurIndex = 0; id_b.nCurIndex = 0; id_cmp.nCurIndex = 0
        id_temp.text = ""
    }
    // True when the row is complete: an operator needs object B and B an
    // operator, object A a temperature, an operator object A.
    function is_valid() {
        if (id_op.nCurIndex > 0 && id_b.nCurIndex === 0) return false
        if (id_b.nCurIndex > 0 && id_op.nCurIndex === 0) return false
        if (id_a.nCurIndex > 0 && id_temp.text === "") return false
        if (id_op.nCurIndex > 0 && id_a.nCurIndex === 0) return false
        return true
    }
    // The validator lets "-", "." and "-." through on the way to a number;
    // a used row needs at least one digit.
    function has_number() { return id_a.nCurIndex === 0 || /\d/.test(id_temp.text) }
    // The typed temperature with a decimal comma read as a point, so the
    // formula reads the same in every language.
    function temperature_text() { return id_temp.text.replace(",", ".") }
    function formula() {
        var text = id_a.strCurText
        if (id_op.nCurIndex > 0) text += id_op.strCurText + id_b.strCurText
        if (id_op.strCurText === "-") text = "math.abs(" + text + ")"
        return text + " " + id_cmp.strCurText + " " + temperature_text()
    }
    function row_json() {
        var a = listAna[id_a.nCurIndex], b = listAna[id_b.nCurIndex]
        var json = {
            "n_ana_a_type": a["n_ana_type"], "n_ana_a_index": a["n_ana_index"], "n_ana_a_sel_index": id_a.nCurIndex,
            "n_ana_a_temp_type": a["n_ana_temp_type"], "n_ana_a_handle": a["n_ana_handle"],
            "n_ana_b_type": b["n_ana_type"], "n_ana_b_index": b["n_ana_index"], "n_ana_b_sel_index": id_b.nCurIndex,
            "n_ana_b_temp_type": b["n_ana_temp_type"], "n_ana_b_handle": b["n_ana_handle"],
            "n_operator": id_op.nCurIndex, "n_judge_character": id_cmp.nCurIndex, "str_formula": formula()
        }
        if (id_temp.text !== "") json["f_temp"] = Number(temperature_text())
        return json
    }

    ItemWarningCombo { id: id_a; objectName: "combo_a_" + id_row.nRow; width: 75; listText: id_row.listAnaName
        onSig_activated: if (n_index === 0) id_row.reset() }
    ItemWarningCombo { id: id_op; objectName: "combo_op_" + id_row.nRow; width: 44; listText: ["", "+", "-"]
        onSig_activated: if (n_index === 0) id_b.nCurIndex = 0 }
    ItemWarningCombo { id: id_b; objectName: "combo_b_" + id_row.nRow; width: 75; listText: id_row.listAnaName
        enabled: id_op.nCurIndex > 0 }
    ItemWarningCombo { id: id_cmp; objectName: "combo_cmp_" + id_row.nRow; width: 44; listText: [">", "<"] }
    Rectangle {
        width: 70
        height: 24
        color: ItemCommonClr.clrClientBackground
        border.color: id_temp.activeFocus ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
        opacity: enabled ? 1.0 : 0.4
        enabled: id_a.nCurIndex > 0
        TextInput {
            id: id_temp
            objectName: "input_temp_" + id_row.nRow
            anchors.fill: parent
            anchors.margins: 4
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            selectByMouse: true
            clip: true
            // A decimal point or, as Russian and Hungarian write it, a comma.
            validator: RegExpValidator { regExp: /^-?\d{0,5}([.,]\d{0,2})?$/ }
        }
    }
    ItemWarningButton { objectName: "btn_clear_row_" + id_row.nRow; strText: qsTr("清除"); onSig_clicked: id_row.reset() }
}
