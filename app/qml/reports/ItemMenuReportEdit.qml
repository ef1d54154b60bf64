import QtQuick 2.15
import "../common"

// Context menu of a designer component, over a layer that closes it on any
// press outside. The entries depend on the component's kind; the insert and
// palette entries open a submenu beside them. sig_action gives the chosen
// entry's name and value.
Item {
    id: id_menu
    objectName: "report_com_menu"
    property var texts: null
    // Filled by show_com_menu: {name, text, value, sub (entries), sep}.
    property var arrEntries: []
    property var arrSub: []
    property int nSubAt: -1
    property bool bLogo: false
    readonly property int nEntryHeight: 26
    readonly property int nWidth: 170

    signal sig_action(string name, int value)

    anchors.fill: parent
    visible: false
    z: 60

    readonly property var paletteImages: ["/images/clr_iron_hor.png", "/images/clr_rainbow_hor.png",
        "/images/clr_feather_hor.png", "/images/clr_gray_hor.png", "/images/clr_cwfeather_hor.png",
        "/images/clr_iron_reverse_hor.png", "/images/clr_rainbow_reverse_hor.png",
        "/images/clr_feather_reverse_hor.png", "/images/clr_gray_reverse_hor.png",
        "/images/clr_cwfeather_reverse_hor.png"]

    // n_type 1 picture, 2 table, 3 mark, 4 text; b_open a file is loaded,
    // b_ir it is an IR picture, b_logo it is the logo. (x, y) in this item.
    function show_com_menu(n_type, b_open, b_ir, b_logo, x, y) {
        var t = ItemCommonText
        var e = []
        if (n_type === 2) {
            e.push({ name: "connect", text: t.strConnect })
            e.push({ name: "insert", text: t.strInsertTable, sub: [
                { name: "table", text: texts.strRowAbove, value: 0 },
                { name: "table", text: texts.strRowBelow, value: 1 },
                { name: "table", text: texts.strColumnLeft, value: 2 },
                { name: "table", text: texts.strColumnRight, value: 3 }] })
        } else if (n_type === 1) {
            e.push({ name: "open", text: t.strOpenFile })
            if (b_open && !b_ir)
                e.push({ name: "logo", text: b_logo ? t.strUnsetLogo : t.strSetLogo })
            if (b_open && b_ir) {
                var sub = []
                for (var i = 0; i < paletteImages.length; ++i)
                    sub.push({ name: "palette", text: "", value: i, image: "qrc:" + paletteImages[i] })
                e.push({ name: "palettes", text: texts.strPalette, sub: sub })
            }
        }
        if (n_type === 1 || n_type === 2)
            e.push({ sep: true })
        if (n_type === 2) {
            e.push({ name: "table", text: t.strDeleteRow, value: 4 })
            e.push({ name: "table", text: t.strDeleteColumn, value: 5 })
            e.push({ sep: true })
        }
        e.push({ name: "delete", text: t.strDelete })
        bLogo = b_logo
        arrEntries = e
        arrSub = []
        nSubAt = -1
        id_box.x = Math.max(0, Math.min(x, width - nWidth * 2))
        id_box.y = Math.max(0, Math.min(y, height - id_box.height))
        visible = true
    }
    function hide_menu() {
        visible = false
        arrSub = []
        nSubAt = -1
    }
    function choose(entry, at) {
        if (entry.sep)
            return
        if (entry.sub !== undefined) {
            arrSub = entry.sub
            nSubAt = at
            return
        }
        hide_menu()
        sig_action(entry.name, entry.value === undefined ? 0 : entry.value)
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onPressed: id_menu.hide_menu()
        onWheel: id_menu.hide_menu()
    }

    component Entry: Rectangle {
        id: id_entry
        property var entry: ({})
        property int nIndex: 0
        signal sig_chosen()
        width: id_menu.nWidth
        height: entry.sep ? 7 : id_menu.nEntryHeight
        color: id_mouse.containsMouse && !entry.sep ? ItemCommonClr.clrHover : ItemCommonClr.clrTransparent
        Rectangle {
            visible: id_entry.entry.sep === true
            anchors.centerIn: parent
            width: parent.width - 12
            height: 1
            color: ItemCommonClr.clrTextBroder
        }
        Text {
            visible: id_entry.entry.image === undefined && id_entry.entry.sep !== true
            anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            text: id_entry.entry.text === undefined ? "" : id_entry.entry.text
        }
        Text {
            visible: id_entry.entry.sub !== undefined
            anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
            textFormat: Text.PlainText
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 10
            text: "\u25B6"
        }
        Image {
            visible: id_entry.entry.image !== undefined
            anchors { fill: parent; margins: 5 }
            source: id_entry.entry.image === undefined ? "" : id_entry.entry.image
        }
        MouseArea {
            id: id_mouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: id_entry.sig_chosen()
        }
    }

    Rectangle {
        id: id_box
        width: id_menu.nWidth
        height: id_column.height + 4
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrTextBroder
        Column {
            id: id_column
            x: 0
            y: 2
            Repeater {
                model: id_menu.arrEntries
                Entry {
                    objectName: modelData.sep ? "" : "com_menu_" + modelData.name
                                                   + (modelData.name === "table" ? "_" + modelData.value : "")
                    entry: modelData
                    nIndex: index
                    onSig_chosen: id_menu.choose(modelData, index)
                }
            }
        }
    }
    Rectangle {
        id: id_sub
        visible: id_menu.arrSub.length > 0
        x: id_box.x + id_box.width - 2
        y: {
            var top = id_box.y + 2
            for (var i = 0; i < id_menu.nSubAt && i < id_menu.arrEntries.length; ++i)
                top += id_menu.arrEntries[i].sep ? 7 : id_menu.nEntryHeight
            return Math.max(0, Math.min(top, id_menu.height - height))
        }
        width: id_menu.nWidth
        height: id_sub_column.height + 4
        color: ItemCommonClr.clrTitleBackground
        border.color: ItemCommonClr.clrTextBroder
        Column {
            id: id_sub_column
            y: 2
            Repeater {
                model: id_menu.arrSub
                Entry {
                    objectName: "com_menu_" + modelData.name + "_" + modelData.value
                    entry: modelData
                    nIndex: index
                    onSig_chosen: id_menu.choose(modelData, index)
                }
            }
        }
    }
}
