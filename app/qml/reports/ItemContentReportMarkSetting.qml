import QtQuick 2.15
import QtQuick.Controls 1.4
import "../common"

// The selected data mark: its value, what it means and its text, which is
// applied as it is typed; the chooser button opens the mark chooser.
Column {
    id: id_mark
    objectName: "report_mark_setting"
    property var wndReport: null
    property var texts: null
    property string strTitle: ""
    property bool bFilling: false
    readonly property alias strMarkText: id_text.text
    readonly property alias strValueShown: id_value.text
    readonly property alias strMeaningShown: id_meaning.text

    // The chooser asked for with the mark text.
    signal sig_choose_mark(string text)

    spacing: 6

    // The meaning of a mark object's "jsonDes" entries.
    function meaning_of(json) {
        var t = ItemCommonText
        var parts = json["jsonDes"] || []
        var out = ""
        for (var i = 0; i < parts.length; ++i) {
            var part = parts[i]
            var type = part["nMarkType"]
            if (type === 0) {
                out += part["strValue"] || ""
                continue
            }
            out += "IR" + (part["nIDIR"] + 1)
            if (part["nIDAna"] >= 0) {
                out += t.strAnalyse + (part["nIDAna"] + 1)
                if (type === 1) out += texts.strAnaName
                else if (type === 2) out += texts.strAnaMax
                else if (type === 3) out += texts.strAnaMin
                else if (type === 100) out += t.strAnaylzeMinusMaxTemp + (part["nIDAnaMinus"] + 1)
                else out += texts.strAnaAvg
            } else {
                out += texts.picture_field(type)
            }
        }
        return out
    }
    // Fills the section from a mark object; with b_text the mark text too.
    function update_setting(json, b_text) {
        bFilling = true
        if (b_text)
            id_text.text = json["strMark"] || ""
        var value = json["strValue"] || ""
        id_value.text = value === "" ? ItemCommonText.strMarkNull : value
        id_meaning.text = meaning_of(json)
        bFilling = false
    }
    // The chooser's accepted text and the mark object after it.
    function set_mark(text, json) {
        bFilling = true
        id_text.text = text
        bFilling = false
        update_setting(json, false)
    }
    function mark_invalid() {
        id_value.text = ""
        id_meaning.text = ItemCommonText.strMarkUnused
    }
    // The designer takes a changed text and the section shows its result.
    function apply_text() {
        if (bFilling || wndReport === null)
            return
        if (wndReport.update_com_mark(id_text.text) < 0)
            mark_invalid()
        else
            update_setting(wndReport.get_cur_com_mark_property(), false)
    }

    // The meaning in the new language, once the texts have followed it.
    function refresh_meaning() {
        if (visible && wndReport !== null)
            update_setting(wndReport.get_cur_com_mark_property(), false)
    }
    Connections {
        target: HTranslator
        function onSig_language_changed() { Qt.callLater(id_mark.refresh_meaning) }
    }

    Text {
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 14
        text: id_mark.strTitle
    }
    Row {
        spacing: 6
        Text {
            width: 60
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: id_mark.texts ? id_mark.texts.strMarkValue : ""
        }
        ItemCustomTextField {
            id: id_value
            objectName: "mark_value"
            width: id_mark.width - 80
            readOnly: true
        }
    }
    Row {
        spacing: 6
        Text {
            width: 60
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: id_mark.texts ? id_mark.texts.strMarkMeaning : ""
        }
        ItemCustomTextField {
            id: id_meaning
            objectName: "mark_meaning"
            width: id_mark.width - 80
            readOnly: true
        }
    }
    Text {
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        text: id_mark.texts ? id_mark.texts.strMarkText : ""
    }
    TextArea {
        id: id_text
        objectName: "mark_text"
        width: id_mark.width - 14
        height: 60
        textFormat: TextEdit.PlainText
        style: ItemStyleTextArea {}
        onTextChanged: id_mark.apply_text()
    }
    ItemCustomBtnNormal {
        objectName: "mark_choose"
        strText: id_mark.texts ? id_mark.texts.strChooseMark : ""
        onSig_btn_release: id_mark.sig_choose_mark(id_text.text)
    }
}
