import QtQuick 2.15
import "."

// Stands where a window or page of the program will open once it is built:
// says so plainly instead of showing an empty area.
Rectangle {
    id: id_page
    objectName: "page_unavailable"
    // What would be shown here, e.g. the name of the page; may be empty.
    property string strWhat: ""

    color: ItemCommonClr.clrClientBackground

    Text {
        objectName: "text_unavailable"
        anchors.centerIn: parent
        width: parent.width - 40
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextLabel
        font.pixelSize: 16
        text: id_page.strWhat === "" ? ItemCommonText.strTextNotAvailable
                                      : id_page.strWhat + "\n" + ItemCommonText.strTextNotAvailable
    }
}
