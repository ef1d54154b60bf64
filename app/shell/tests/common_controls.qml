import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 1.4
import "qrc:/qml/common"

// Every common control and style once, for the common QML test.
Window {
    width: 640
    height: 400
    visible: true
    color: ItemCommonClr.clrBackground

    property int nPresses: 0
    property int nReleases: 0
    property bool bLastChecked: false

    Text {
        objectName: "bound_text"
        text: ItemCommonText.strTextSetting
    }
    Flow {
        y: 30
        width: parent.width
        spacing: 6
        ItemCustomBtnTool {
            objectName: "tool_sticky"
            idBtn: ItemCommonDef.idBtnAddPoint
            bCheckable: true
            bNotUncheck: false
            onSig_press_btn: { nPresses += 1; bLastChecked = checked }
            onSig_release_btn: nReleases += 1
        }
        ItemCustomBtnTool {
            objectName: "tool_toggle"
            idBtn: ItemCommonDef.idBtnShowMaxTemp
            bCheckable: true
            tipItem: id_tip
            onSig_press_btn: { nPresses += 1; bLastChecked = checked }
        }
        ItemCustomBtnTool {
            objectName: "tool_disabled"
            bEnable: false
            onSig_press_btn: nPresses += 1
        }
        ItemCustomBtnNormal { strText: ItemCommonText.strTextOK }
        ItemCustomBtnIcon { strIconPath: "qrc:/images/title/btn_close.svg" }
        ItemCustomBtnTitle { width: 80; ms_text: "tab"; bClosable: true }
        ItemCustomBtnText { text: "path" }
        ItemCustomBtnExpand {}
        ItemCustomBtnGroup { strName: "group"; nCount: 3 }
        ItemCustomBtnAudio { strIconPath: "qrc:/images/title/btn_about.svg"; strText: "note" }
        ItemBtnStyle { strNormal: "qrc:/images/title/btn_min.svg" }
        ItemCustomRadio { strText: "radio"; checked: true }
        ItemCustomTextField { text: "text" }
        Button { text: "styled"; style: ItemBtnAllStyle.g_btn_style_normal }
        Button { style: ItemBtnAllStyle.g_btn_style_main_close }
        Button { style: ItemBtnAllStyle.g_btn_style_zoom_in }
        Button { text: "title"; checkable: true; style: ItemBtnAllStyle.g_btn_style_title }
        ComboBox { model: ["a", "b"]; style: ItemBtnAllStyle.g_combo_style }
        RadioButton { text: "r"; style: ItemBtnAllStyle.g_component_style_radio }
        ScrollView { width: 60; height: 40; style: ItemScrollViewStyle {} Rectangle { width: 200; height: 200 } }
        TextArea { width: 80; height: 40; style: ItemStyleTextArea {} }
        TableView {
            width: 120
            height: 60
            itemDelegate: ItemBtnAllStyle.g_tableview_item
            headerDelegate: ItemBtnAllStyle.g_tableview_header_sec
            TableViewColumn { role: "name"; title: "name" }
            model: ListModel { ListElement { name: "x" } }
        }
    }
    ItemToolTip {
        id: id_tip
        objectName: "tip"
        property string strShown: visible ? children[0].text : ""
    }
    ItemWndToolTip {}
    ItemColorDialog { objectName: "color_dialog" }
    ItemFileDialog { objectName: "file_dialog" }
    ItemMessageBox { objectName: "box" }
    Menu { style: ItemBtnAllStyle.g_component_style_menu; MenuItem { text: "m" } }
}
