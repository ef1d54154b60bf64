import QtQuick 2.15
import QtQuick.Controls 1.4
import "../common"

// The mark chooser: a window over a dark layer listing the pictures and
// analyses a mark can name (left) and their fields (right); the insert
// button appends the chosen field to the mark text, OK hands the text to the
// designer (function 0 the selected mark, 1 the pressed table cell).
Rectangle {
    id: id_layer
    objectName: "wnd_select_mark"
    property var wndReport: null
    property var texts: null
    property var arrSources: []
    // Rows of the right list: {text, type, other}.
    property var arrFields: []
    property int nFunction: 0
    property int nSource: -1
    property int nField: -1
    property string strKey: ""
    property string strMessage: ""
    readonly property alias strText: id_text.text

    signal sig_select_mark(string text, var json, int n_function)

    readonly property var pictureKeys: ["DocumentTitle", "RecordingDate", "RecordingTime", "Weather", "WindSpeed",
        "DesMark", "PresetText", "Latitude", "Longitude", "Altitude", "RunningVoltage", "LoadCurrent", "Emissivity",
        "RecordingDistances", "AambientTemperature", "RelativeHumidity", "FullscreenMaxTemperature",
        "FullscreenMinTemperature", "FullscreenAvgTemperature", "MeasurementPointTemperature",
        "NormalPointTemperature", "TemperatureRise", "TemperatureDifference", "RelativeTemperatureDifference",
        "UltrasonicDetectResult", "InfraredDetectResult", "IntegrateDetectResult", "DeviceArea", "SubstationName",
        "DeviceType", "DeviceName", "Phase", "ParPosition"]
    readonly property var anaKeys: ["Name", "MaxTemperature", "MinTemperature", "AvgTemperature"]

    anchors.fill: parent
    color: "#50000000"
    visible: false
    z: 55

    function show_wnd(text, list, n_function) {
        strMessage = ""
        strKey = ""
        nFunction = n_function
        arrSources = list
        arrFields = []
        nSource = -1
        nField = -1
        id_text.text = text
        visible = true
    }
    function source_text(row) {
        return row["nType"] >= 0 ? row["strIRName"] + " - " + row["strAnaName"] : row["strIRName"]
    }
    function choose_source(index) {
        nSource = index
        nField = -1
        strKey = ""
        var row = arrSources[index]
        var fields = []
        if (row["nType"] >= 0) {
            fields.push({ text: anaKeys[0], type: 0 })
            fields.push({ text: anaKeys[1], type: 1 })
            if (row["nType"] > 0) {
                fields.push({ text: anaKeys[2], type: 2 })
                fields.push({ text: anaKeys[3], type: 3 })
            }
            for (var i = 0; i < arrSources.length; ++i) {
                var other = arrSources[i]
                if (i !== index && other["nType"] >= 0 && other["nIRID"] === row["nIRID"])
                    fields.push({ text: ItemCommonText.strAnaylzeMinusMaxTemp + other["strAnaName"], type: 4,
                                  other: other["nAnaID"] })
            }
        } else {
            for (var k = 0; k < pictureKeys.length; ++k)
                fields.push({ text: pictureKeys[k], type: -1 })
        }
        arrFields = fields
    }
    function choose_field(index) {
        nField = index
        var row = arrSources[nSource]
        var field = arrFields[index]
        var key = "IR" + (row["nIRID"] + 1)
        if (row["nType"] < 0)
            key += field.text
        else if (field.type === 4)
            key += "Analyze" + (row["nAnaID"] + 1) + "Minus" + (field.other + 1) + "MaxTemperature"
        else
            key += "Analyze" + (row["nAnaID"] + 1) + anaKeys[field.type]
        strKey = key
    }
    function insert_key() {
        if (strKey !== "")
            id_text.text = id_text.text + "{" + strKey + "} "
    }
    function accept() {
        if (wndReport === null || id_text.text === "")
            return
        var text = id_text.text
        var result = nFunction === 0 ? wndReport.update_com_mark(text) : wndReport.update_hit_com_mark(text)
        if (result === -1) {
            strMessage = ItemCommonText.strMarkFormatErr
        } else if (result === -2) {
            strMessage = ItemCommonText.strMarkFormatErr + "1"
        } else if (result === -3) {
            strMessage = ItemCommonText.strMarkNameErr
                    + (nFunction === 0 ? wndReport.get_update_com_err() : wndReport.get_update_hit_com_err())
        } else if (result >= 0) {
            visible = false
            sig_select_mark(text, wndReport.get_cur_com_mark_property(), nFunction)
        }
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: wheel.accepted = true
    }

    component List: Rectangle {
        id: id_list
        property var rows: []
        property int nCurrent: -1
        property string strPrefix: ""
        signal sig_chosen(int index)
        color: ItemCommonClr.clrClientBackground
        border.color: ItemCommonClr.clrTextBroder
        ListView {
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            model: id_list.rows
            delegate: Rectangle {
                objectName: id_list.strPrefix + index
                width: ListView.view.width
                height: 22
                color: index === id_list.nCurrent ? ItemCommonClr.clrPress
                                                  : (id_row_mouse.containsMouse ? ItemCommonClr.clrBtnTitleHover
                                                                                : ItemCommonClr.clrTransparent)
                Text {
                    anchors { left: parent.left; leftMargin: 6; right: parent.right; verticalCenter: parent.verticalCenter }
                    elide: Text.ElideRight
                    textFormat: Text.PlainText
                    color: ItemCommonClr.clrTextSecLv
                    font.pixelSize: 12
                    text: typeof modelData === "string" ? modelData : modelData.text
                }
                MouseArea {
                    id: id_row_mouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: id_list.sig_chosen(index)
                }
            }
        }
    }

    Rectangle {
        id: id_box
        x: (id_layer.width - width) / 2
        y: (id_layer.height - height) / 2
        width: 500
        height: 450
        color: ItemCommonClr.clrBackground
        border.color: ItemCommonClr.clrTextBroder

        ItemWndHead {
            id: id_head
            strTitle: ItemCommonText.strMarkSetting
            closeObjectName: "select_mark_close"
            onSig_close: id_layer.visible = false
            MouseArea {
                anchors { left: parent.left; right: parent.right; top: parent.top; bottom: parent.bottom; rightMargin: 40 }
                drag.target: id_box
                drag.minimumX: 0
                drag.minimumY: 0
                drag.maximumX: id_layer.width - id_box.width
                drag.maximumY: id_layer.height - id_box.height
            }
        }
        Row {
            id: id_headers
            x: 12
            anchors.top: id_head.bottom
            anchors.topMargin: 8
            spacing: 12
            Text { width: 232; textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12
                   text: id_layer.texts ? id_layer.texts.strSource : "" }
            Text { width: 232; textFormat: Text.PlainText; color: ItemCommonClr.clrTextLabel; font.pixelSize: 12
                   text: id_layer.texts ? id_layer.texts.strField : "" }
        }
        Row {
            id: id_lists
            x: 12
            anchors.top: id_headers.bottom
            anchors.topMargin: 4
            spacing: 12
            List {
                objectName: "select_mark_sources"
                width: 232
                height: 220
                strPrefix: "select_mark_source_"
                rows: id_layer.arrSources.map(id_layer.source_text)
                nCurrent: id_layer.nSource
                onSig_chosen: id_layer.choose_source(index)
            }
            List {
                objectName: "select_mark_fields"
                width: 232
                height: 220
                strPrefix: "select_mark_field_"
                rows: id_layer.arrFields
                nCurrent: id_layer.nField
                onSig_chosen: id_layer.choose_field(index)
            }
        }
        TextArea {
            id: id_text
            objectName: "select_mark_text"
            x: 12
            anchors.top: id_lists.bottom
            anchors.topMargin: 10
            width: 386
            height: 70
            textFormat: TextEdit.PlainText
            style: ItemStyleTextArea {}
        }
        ItemCustomBtnNormal {
            objectName: "select_mark_insert"
            anchors { left: id_text.right; leftMargin: 12; top: id_text.top }
            width: 78
            enabled: id_layer.strKey !== ""
            strText: ItemCommonText.strMarkAdd
            onSig_btn_release: id_layer.insert_key()
        }
        Text {
            objectName: "select_mark_message"
            x: 12
            anchors.top: id_text.bottom
            anchors.topMargin: 6
            width: 476
            elide: Text.ElideRight
            textFormat: Text.PlainText
            color: "red"
            font.pixelSize: 12
            text: id_layer.strMessage
        }
        Row {
            anchors { right: parent.right; rightMargin: 12; bottom: parent.bottom; bottomMargin: 12 }
            spacing: 12
            ItemCustomBtnNormal {
                objectName: "select_mark_ok"
                enabled: id_text.text !== ""
                strText: ItemCommonText.strTextOK
                onSig_btn_release: id_layer.accept()
            }
            ItemCustomBtnNormal {
                objectName: "select_mark_cancel"
                strText: ItemCommonText.strTextCancel
                onSig_btn_release: id_layer.visible = false
            }
        }
    }
}
