import QtQuick 2.15
import QtQuick.Controls 1.4
import "../common"

// Font of the selected text or mark component or table cell: family, size,
// bold, italic, underline and, for texts and cells, the alignment. Each
// change sends an object holding only the changed key.
Column {
    id: id_font
    objectName: "report_font_setting"
    property string strTitle: ""
    property var texts: null
    property var tipItem: null
    // Text components and cells (nText > 0) show the alignment buttons.
    property int nText: 0
    property bool bBold: false
    property bool bItalic: false
    property bool bUnderline: false
    // 0 left, 1 centre, 2 right.
    property int nAlign: 0
    property real fPointSize: 10.5
    property bool bFilling: false
    // The sizes offered and their names.
    property var arrSizes: []
    property var arrSizeNames: []
    // The system's families, and what the list shows: those, led by the
    // component's family when the system lacks it.
    property var arrSystemFamilies: []
    property var arrFamilies: []

    signal sig_font_changed(var json)

    spacing: 6

    readonly property var namedSizes: [["初号", 42], ["小号", 36], ["小一", 26], ["二号", 24], ["小二", 22],
        ["三号", 18], ["小三", 16], ["四号", 14], ["小四", 13], ["五号", 10.5], ["小五", 9], ["六号", 7.5],
        ["小六", 6.5], ["七号", 5.5], ["八号", 5]]
    readonly property var numberSizes: [5, 5.5, 6.5, 7.5, 8, 9, 10, 10.5, 11, 12, 14, 16, 18, 20, 22, 26, 28, 36,
        48, 56, 72]

    function build_sizes() {
        var sizes = []
        var names = []
        if (DataConfig.is_chinese_language()) {
            for (var i = 0; i < namedSizes.length; ++i) {
                names.push(namedSizes[i][0])
                sizes.push(namedSizes[i][1])
            }
        }
        for (var j = 0; j < numberSizes.length; ++j) {
            names.push(String(numberSizes[j]))
            sizes.push(numberSizes[j])
        }
        arrSizes = sizes
        arrSizeNames = names
    }
    function show_size(size) {
        var was = bFilling
        bFilling = true
        fPointSize = size
        var at = arrSizes.indexOf(size)
        id_size.currentIndex = at
        id_size.editText = at >= 0 ? arrSizeNames[at] : String(size)
        bFilling = was
    }
    function update_setting(json) {
        bFilling = true
        nText = json["nText"] === undefined ? 0 : json["nText"]
        bBold = json["bBold"] === true
        bItalic = json["bItalic"] === true
        bUnderline = json["bUnderline"] === true
        show_size(json["fPonitSize"] === undefined ? 10.5 : json["fPonitSize"])
        var family = json["sFamily"] === undefined ? "" : json["sFamily"]
        arrFamilies = family === "" || arrSystemFamilies.indexOf(family) >= 0 ? arrSystemFamilies
                                                                             : [family].concat(arrSystemFamilies)
        id_family.currentIndex = arrFamilies.indexOf(family)
        var flags = json["nFlags"]
        nAlign = flags === undefined || (flags & 0x1) ? 0 : ((flags & 0x4) ? 1 : ((flags & 0x2) ? 2 : 0))
        bFilling = false
    }
    function send(key, value) {
        if (bFilling)
            return
        var json = {}
        json[key] = value
        sig_font_changed(json)
    }

    Component.onCompleted: {
        build_sizes()
        arrSystemFamilies = GlobalFunction.get_support_font_family()
        arrFamilies = arrSystemFamilies
    }
    Connections {
        target: HTranslator
        function onSig_language_changed() {
            var size = id_font.fPointSize
            id_font.build_sizes()
            // The list resets its choice once it has taken the new model.
            Qt.callLater(id_font.show_size, size)
        }
    }

    Text {
        textFormat: Text.PlainText
        color: ItemCommonClr.clrTextButton
        font.pixelSize: 14
        text: id_font.strTitle
    }
    Row {
        spacing: 6
        Text {
            width: 60
            anchors.verticalCenter: parent.verticalCenter
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
            text: id_font.texts ? id_font.texts.strFontFamily : ""
        }
        ComboBox {
            id: id_family
            objectName: "font_family"
            width: 200
            model: id_font.arrFamilies
            style: ItemBtnAllStyle.g_combo_style
            onActivated: id_font.send("sFamily", id_font.arrFamilies[index])
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
            text: id_font.texts ? id_font.texts.strFontSize : ""
        }
        ComboBox {
            id: id_size
            objectName: "font_size"
            width: 100
            editable: true
            model: id_font.arrSizeNames
            validator: RegExpValidator { regExp: /^(\d{1,3}(\.\d)?|[\u4e00-\u9fff]{2})$/ }
            onActivated: {
                if (index >= 0 && index < id_font.arrSizes.length) {
                    id_font.fPointSize = id_font.arrSizes[index]
                    id_font.send("fPonitSize", id_font.fPointSize)
                }
            }
            onAccepted: {
                var at = id_font.arrSizeNames.indexOf(editText)
                var size = at >= 0 ? id_font.arrSizes[at] : parseFloat(editText)
                if (isNaN(size) || size < 5 || size > 100) {
                    id_font.show_size(id_font.fPointSize)
                    return
                }
                size = Math.round(size * 10) / 10
                id_font.show_size(size)
                id_font.send("fPonitSize", size)
            }
        }
    }
    Row {
        spacing: 4
        ItemFontToggle {
            objectName: "font_bold"
            strText: "B"
            font.bold: true
            tipItem: id_font.tipItem
            strTip: id_font.texts ? id_font.texts.strBold : ""
            bChecked: id_font.bBold
            onSig_clicked: { id_font.bBold = !id_font.bBold; id_font.send("bBold", id_font.bBold) }
        }
        ItemFontToggle {
            objectName: "font_italic"
            strText: "I"
            font.italic: true
            tipItem: id_font.tipItem
            strTip: id_font.texts ? id_font.texts.strItalic : ""
            bChecked: id_font.bItalic
            onSig_clicked: { id_font.bItalic = !id_font.bItalic; id_font.send("bItalic", id_font.bItalic) }
        }
        ItemFontToggle {
            objectName: "font_underline"
            strText: "U"
            font.underline: true
            tipItem: id_font.tipItem
            strTip: id_font.texts ? id_font.texts.strUnderline : ""
            bChecked: id_font.bUnderline
            onSig_clicked: { id_font.bUnderline = !id_font.bUnderline; id_font.send("bUnderline", id_font.bUnderline) }
        }
        Item { width: 12; height: 1 }
        Repeater {
            model: 3
            ItemFontToggle {
                objectName: "font_align_" + index
                visible: id_font.nText > 0
                strIconNormal: [ItemCommonDef.strBtnPathTextLeftNormal, ItemCommonDef.strBtnPathTextMidNormal,
                                ItemCommonDef.strBtnPathTextRightNormal][index]
                strIconPressed: [ItemCommonDef.strBtnPathTextLeftPressed, ItemCommonDef.strBtnPathTextMidPressed,
                                 ItemCommonDef.strBtnPathTextRightPressed][index]
                tipItem: id_font.tipItem
            strTip: id_font.texts ? [id_font.texts.strAlignLeft, id_font.texts.strAlignCenter,
                                         id_font.texts.strAlignRight][index] : ""
                bChecked: id_font.nAlign === index
                onSig_clicked: { id_font.nAlign = index; id_font.send("nFlags", index) }
            }
        }
    }
}
