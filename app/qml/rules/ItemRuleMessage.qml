import QtQuick 2.15
import "../common"
import "."

// A modal message over its parent: show_message for information, ask for a
// yes/no question whose yes runs the given function.
Rectangle {
    id: id_message
    objectName: "rule_message"
    property string ms_text: ""
    property bool mb_question: false
    property var m_on_yes: null

    anchors.fill: parent
    color: "#40000000"
    visible: false
    z: 100

    function show_message(text) {
        ms_text = text
        mb_question = false
        m_on_yes = null
        visible = true
    }
    function ask(text, on_yes) {
        ms_text = text
        mb_question = true
        m_on_yes = on_yes
        visible = true
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: wheel.accepted = true
    }
    Rectangle {
        width: 340
        height: 150
        anchors.centerIn: parent
        color: ItemCommonClr.clrBackground
        border.width: 1
        border.color: ItemCommonClr.clrTextBroder

        Text {
            anchors.fill: parent
            anchors.margins: 16
            anchors.bottomMargin: 56
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: Text.AlignHCenter
            text: id_message.ms_text
        }
        Row {
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 14
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 20
            ItemRuleButton {
                objectName: "rule_message_yes"
                text: id_message.mb_question ? ItemRuleText.strYes : ItemRuleText.strOK
                onClicked: {
                    const on_yes = id_message.m_on_yes
                    id_message.visible = false
                    id_message.m_on_yes = null
                    if (on_yes) {
                        on_yes()
                    }
                }
            }
            ItemRuleButton {
                objectName: "rule_message_no"
                visible: id_message.mb_question
                text: ItemRuleText.strNo
                onClicked: id_message.visible = false
            }
        }
    }
}
