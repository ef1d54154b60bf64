import QtQuick 2.15
import "../common"

// One condition of the alarm panel: its number, degree and formula; the
// border takes the degree's colour while the condition is met.
Rectangle {
    id: id_row
    property int nIndex: 0
    property int nDegree: 1
    property string strFormula: ""
    property bool bWarning: false
    property color clrWarning: "#ff0000"

    signal sig_delete(int n_index)

    height: id_text.implicitHeight + 10
    color: ItemCommonClr.clrClientBackground
    border.width: bWarning ? 2 : 1
    border.color: bWarning ? clrWarning : ItemCommonClr.clrTextBroder

    Text {
        id: id_text
        anchors { left: parent.left; right: id_close.left; verticalCenter: parent.verticalCenter; margins: 5 }
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextSecLv
        font.pixelSize: 12
        text: (id_row.nIndex + 1 < 10 ? "0" : "") + (id_row.nIndex + 1) + ". " + qsTr("缺陷等级") + ItemCommonText.strColon + "["
              + (id_row.nDegree === 1 ? qsTr("报警") : qsTr("预警")) + "]\n" + id_row.strFormula
    }
    ItemWarningButton {
        id: id_close
        objectName: "btn_delete_warning_" + id_row.nIndex
        anchors { right: parent.right; verticalCenter: parent.verticalCenter; rightMargin: 4 }
        width: 22; height: 22
        strText: "\u2715"
        onSig_clicked: id_row.sig_delete(id_row.nIndex)
    }
}
