import QtQuick 2.15
import "../common"
import "../alarms"

// Lens and measuring range of a live camera and the switch of the automatic
// measuring range. Choosing a lens takes its first range; a choice the camera
// refuses leaves the lists on what the camera really uses.
Column {
    id: id_lens
    objectName: "ir_lens_setting"
    property var wndIRShow: null
    // [{"n_index", "name"}] as the view gives them.
    property var arrLenType: []
    property var arrMeasRange: []
    property int nLenType: -1
    property int nRange: -1
    property bool bAutoRange: false

    signal sig_refused()

    spacing: 6

    function names(arr) {
        var texts = []
        for (var i = 0; i < arr.length; ++i)
            texts.push(arr[i].name)
        return texts
    }
    function index_of(arr, n) {
        for (var i = 0; i < arr.length; ++i)
            if (arr[i].n_index === n)
                return i
        return -1
    }
    // The camera's lens and range from the view's property JSON.
    function update_setting(json) {
        if (wndIRShow === null)
            return
        nLenType = json["strSettingLenTypeIndex"] === undefined ? -1 : json["strSettingLenTypeIndex"]
        arrLenType = wndIRShow.get_array_len_type()
        arrMeasRange = wndIRShow.get_array_meas_range(nLenType)
        id_len.nCurIndex = index_of(arrLenType, nLenType)
        set_cur_range(json["strSettingTempRangeIndex"] === undefined ? -1 : json["strSettingTempRangeIndex"])
    }
    function set_cur_range(n) {
        nRange = n
        id_range.nCurIndex = index_of(arrMeasRange, n)
    }
    function apply(len_type, range) {
        if (!wndIRShow.set_ir_property({"strSettingLenTypeIndex": len_type, "strSettingTempRangeIndex": range}))
            sig_refused()
        update_setting(wndIRShow.get_ir_property())
    }

    Text { textFormat: Text.PlainText; color: ItemCommonClr.clrTextButton; font.pixelSize: 14; text: qsTr("镜头与测温挡") }
    // The open list of a combo lies over the rows below it.
    Row {
        spacing: 6
        z: id_len.bOpen ? 1 : 0
        Text { width: 110; anchors.verticalCenter: parent.verticalCenter; textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: ItemCommonText.strTextLenType }
        ItemWarningCombo {
            id: id_len
            objectName: "combo_len_type"
            width: 120
            listText: id_lens.names(id_lens.arrLenType)
            onSig_activated: {
                var ranges = id_lens.wndIRShow.get_array_meas_range(id_lens.arrLenType[n_index].n_index)
                if (ranges.length > 0)
                    id_lens.apply(id_lens.arrLenType[n_index].n_index, ranges[0].n_index)
                else
                    id_lens.update_setting(id_lens.wndIRShow.get_ir_property())
            }
        }
    }
    Row {
        spacing: 6
        z: id_range.bOpen ? 1 : 0
        Text { width: 110; anchors.verticalCenter: parent.verticalCenter; textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel; font.pixelSize: 12; text: ItemCommonText.strTextTempRange }
        ItemWarningCombo {
            id: id_range
            objectName: "combo_meas_range"
            width: 120
            listText: id_lens.names(id_lens.arrMeasRange)
            onSig_activated: id_lens.apply(id_lens.nLenType, id_lens.arrMeasRange[n_index].n_index)
        }
    }
    ItemCustomRadio {
        objectName: "check_auto_range"
        bSquare: true
        checked: id_lens.bAutoRange
        strText: qsTr("自动切换测温挡")
        onSig_clicked: {
            if (id_lens.wndIRShow.set_ir_property({"strSettingAutoTempRange": !id_lens.bAutoRange}))
                id_lens.bAutoRange = !id_lens.bAutoRange
        }
    }
}
