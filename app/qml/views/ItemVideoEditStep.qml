import QtQuick 2.15
import "../common"

// A value of the clip editor with its step buttons: -1 and +1 per click;
// while held, repeated every 200 ms with the step doubled after every ten.
Row {
    id: id_step
    property string strLabel: ""
    property int nValue: 0
    property bool bRepeat: true

    signal sig_step(int n_delta)

    spacing: 2
    property int nDirection: 0
    property int nStep: 1
    property int nRepeats: 0

    function begin(n_direction) {
        nDirection = n_direction
        nStep = 1
        nRepeats = 0
        sig_step(n_direction)
        id_timer.running = bRepeat
    }
    function end() { id_timer.running = false }

    Text {
        width: Math.max(48, implicitWidth)
        height: 30
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 12
        text: id_step.strLabel
    }
    ItemBtnHold { objectName: id_step.objectName + "_minus"; strText: "-"; onSig_pressed: id_step.begin(-1); onSig_released: id_step.end() }
    Text {
        objectName: id_step.objectName + "_value"
        width: 48
        height: 30
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 12
        text: id_step.nValue
    }
    ItemBtnHold { objectName: id_step.objectName + "_plus"; strText: "+"; onSig_pressed: id_step.begin(1); onSig_released: id_step.end() }

    Timer {
        id: id_timer
        interval: 200
        repeat: true
        onTriggered: {
            id_step.sig_step(id_step.nDirection * id_step.nStep)
            if (++id_step.nRepeats % 10 === 0)
                id_step.nStep *= 2
        }
    }
}
