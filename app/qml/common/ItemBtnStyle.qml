import QtQuick 2.15
import "."

// Image button: shows the pressed, hover, normal or disabled image.
Rectangle {
    id: id_btn
    property string strPressed: ""
    property string strHover: ""
    property string strNormal: ""
    property string strDisable: ""
    property bool bHover: id_mouse.containsMouse
    property bool bPress: id_mouse.pressed

    signal sig_clicked()

    width: 24
    height: 24
    color: ItemCommonClr.clrTransparent

    Image {
        anchors.fill: parent
        sourceSize: Qt.size(id_btn.width, id_btn.height)
        source: !id_btn.enabled ? id_btn.strDisable
                                : (id_btn.bPress ? id_btn.strPressed : (id_btn.bHover ? id_btn.strHover : id_btn.strNormal))
    }
    MouseArea {
        id: id_mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: id_btn.sig_clicked()
    }
}
