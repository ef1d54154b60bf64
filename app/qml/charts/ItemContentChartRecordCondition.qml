import QtQuick 2.15
import "../common"

// The sampling section of a live trend: the record rate as row 1, then one
// row per sampling condition, and "+" that builds a new one in the
// condition dialog. The chart keeps the conditions; a row is added only
// when the chart took its condition.
Column {
    id: id_section
    property var chart: null
    property var settingWnd: null
    property bool bWriting: false

    signal sig_rate(int n_rate)

    function attach_text(n) { return n === 1 ? qsTr("帧温差") : (n === 2 ? qsTr("绝对值") : "") }
    function prefix_of(n) { return n === 1 ? "ftd:" : (n === 2 ? "abs:" : "") }
    function alias_of(n_ana) { return n_ana === 0 ? qsTr("全屏") : (chart ? chart.get_ana_alias(n_ana) : "") }
    function row_text(r) {
        return r.strAlias + r.strType + attach_text(r.nAttach) + r.strOperator + " [" + r.strIrName + "]"
    }
    // The objects of source n_ir were renamed, or the language changed.
    function refresh_texts(n_ir) {
        for (var i = 0; i < id_model.count; ++i) {
            var r = id_model.get(i)
            if (n_ir === undefined || r.nIr === n_ir) id_model.setProperty(i, "strAlias", alias_of(r.nAna))
        }
    }
    // The chart's rate, written without echoing it back.
    function set_rate(n_rate) {
        bWriting = true
        id_rate.text = "" + n_rate
        bWriting = false
    }
    function add_condition() {
        if (chart === null || settingWnd === null) return
        if (!settingWnd.show_wnd(id_section, chart.get_ir_list()))
            id_tip.show_tip_ext(0, id_add.height, id_add, qsTr("未开始趋势分析！"))
    }
    function take_condition(str_type, str_operator, h_ir, str_ir_name, h_ana, n_type, n_attach, n_operator, f_temp) {
        if (chart === null) return false
        if (!chart.add_record_condition(h_ir, prefix_of(n_attach) + str_type + str_operator, h_ana, n_type,
                                        n_attach, n_operator, f_temp))
            return false
        id_model.append({ "nIr": h_ir, "strIrName": str_ir_name, "nAna": h_ana, "strAlias": alias_of(h_ana), "strType": str_type,
                          "nAttach": n_attach, "strOperator": str_operator })
        return true
    }
    function remove_condition(i) {
        var r = id_model.get(i)
        if (chart !== null) chart.remove_record_condition(r.nIr, r.nAna, prefix_of(r.nAttach) + r.strType + r.strOperator)
        id_model.remove(i)
    }
    // Rows of a source, or of one object of it, that left the chart.
    function remove_rows(n_ir, n_ana) {
        for (var i = id_model.count - 1; i >= 0; --i) {
            var r = id_model.get(i)
            if (r.nIr === n_ir && (n_ana === undefined || r.nAna === n_ana)) id_model.remove(i)
        }
    }
    function clear_rows() { id_model.clear() }
    function row_count() { return id_model.count }

    spacing: 4
    Connections {
        target: id_section.settingWnd
        ignoreUnknownSignals: true
        function onSig_success(item, str_type, str_operator, h_ir, str_ir_name, h_ana, n_type, n_attach, n_operator, f_temp) {
            if (item === id_section)
                id_section.take_condition(str_type, str_operator, h_ir, str_ir_name, h_ana, n_type, n_attach, n_operator, f_temp)
        }
    }
    Connections {
        target: HTranslator
        function onSig_language_changed() { id_section.refresh_texts() }
    }
    ItemWndToolTip { id: id_tip }

    Text { text: qsTr("采样条件（不能为空）"); color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; textFormat: Text.PlainText }
    Row {
        spacing: 4
        Text { height: 20; verticalAlignment: Text.AlignVCenter; text: " 1."; color: ItemCommonClr.clrTextSecLv; font.pixelSize: 12 }
        ItemCustomTextField {
            id: id_rate
            objectName: "field_record_rate"
            width: 40
            height: 20
            text: "1"
            validator: IntValidator { bottom: 1; top: 1000 }
            onTextChanged: if (!id_section.bWriting && parseInt(text) >= 1) id_section.sig_rate(parseInt(text))
        }
        Text { height: 20; verticalAlignment: Text.AlignVCenter; text: qsTr("秒/帧"); color: ItemCommonClr.clrTextLabel; font.pixelSize: 12 }
    }
    Repeater {
        model: ListModel { id: id_model }
        delegate: Item {
            objectName: "row_record_condition_" + index
            width: id_section.width
            height: 20
            property string strText: " " + (index + 2) + ". " + id_section.row_text(model)
            Text {
                anchors { left: parent.left; right: id_close.left; verticalCenter: parent.verticalCenter }
                elide: Text.ElideRight
                textFormat: Text.PlainText
                color: ItemCommonClr.clrTextSecLv
                font.pixelSize: 12
                text: parent.strText
                MouseArea {
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: id_tip.show_tip(parent.text)
                    onExited: id_tip.hide_tip()
                }
            }
            Text {
                id: id_close
                objectName: "btn_remove_condition_" + index
                anchors { right: parent.right; verticalCenter: parent.verticalCenter }
                text: "×"
                color: ItemCommonClr.clrTextNormal
                font.pixelSize: 14
                MouseArea { anchors.fill: parent; onClicked: id_section.remove_condition(index) }
            }
        }
    }
    ItemCustomBtnNormal {
        id: id_add
        objectName: "btn_add_condition"
        width: 40
        height: 20
        strText: "+"
        onSig_btn_release: id_section.add_condition()
    }
}
