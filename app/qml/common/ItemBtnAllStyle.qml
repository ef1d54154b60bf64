pragma Singleton
import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "."
import "styles"

// Shared control styles in the colours of ItemCommonClr, for the Quick
// Controls the windows use (buttons, combo boxes, radio buttons, table cells
// and menus).
QtObject {
    readonly property Component g_btn_style_normal: ButtonStyle {
        background: Rectangle {
            implicitWidth: 70
            implicitHeight: 26
            radius: 2
            border.width: 1
            border.color: control.hovered ? ItemCommonClr.clrHover : ItemCommonClr.clrTextBroder
            color: control.pressed ? ItemCommonClr.clrPress
                                   : (control.hovered ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTitleBackground)
        }
        label: Text {
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            text: control.text
            color: control.enabled ? ItemCommonClr.clrTextButton : ItemCommonClr.clrTextDisable
            font.pixelSize: 12
        }
    }

    readonly property Component g_btn_style_title: ButtonStyle {
        background: Rectangle {
            implicitWidth: 80
            implicitHeight: 28
            color: control.checked ? ItemCommonClr.clrBackground
                                   : (control.pressed ? ItemCommonClr.clrBtnTitlePress
                                                      : (control.hovered ? ItemCommonClr.clrBtnTitleHover : ItemCommonClr.clrTransparent))
        }
        label: Text {
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            text: control.text
            color: control.checked ? ItemCommonClr.clrTextPress : ItemCommonClr.clrTextNormal
            font.pixelSize: 12
        }
    }

    readonly property Component g_btn_style_wnd_close: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/title/btn_close.svg"
        }
    }
    readonly property Component g_btn_style_main_close: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/title/btn_close.svg"
        }
    }
    readonly property Component g_btn_style_main_max: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/title/btn_max.svg"
        }
    }
    readonly property Component g_btn_style_main_min: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/title/btn_min.svg"
        }
    }
    readonly property Component g_btn_style_help: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/title/btn_about.svg"
        }
    }
    readonly property Component g_btn_style_zoom_in: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/zoom/btn_zoom_in.svg"
        }
    }
    readonly property Component g_btn_style_zoom_out: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/zoom/btn_zoom_out.svg"
        }
    }
    readonly property Component g_btn_style_zoom_default: Component {
        IconButtonStyle {
            clrPress: ItemCommonClr.clrBtnTitlePress
            clrHover: ItemCommonClr.clrBtnTitleHover
            strIcon: "qrc:/images/zoom/btn_zoom_default.svg"
        }
    }

    readonly property Component g_combo_style: ComboBoxStyle {
        background: Rectangle {
            implicitWidth: 100
            implicitHeight: 24
            radius: 2
            color: ItemCommonClr.clrScrollBorder
            border.color: control.hovered ? ItemCommonClr.clrPress : ItemCommonClr.clrTextBroder
        }
        label: Text {
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            text: control.currentText
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
            elide: Text.ElideRight
        }
    }
    readonly property Component g_component_style_combox_box: g_combo_style

    readonly property Component g_component_style_radio: RadioButtonStyle {
        indicator: Rectangle {
            implicitWidth: 14
            implicitHeight: 14
            radius: 7
            color: ItemCommonClr.clrScrollBorder
            border.color: ItemCommonClr.clrTextNormal
            Rectangle {
                anchors.centerIn: parent
                width: 8
                height: 8
                radius: 4
                visible: control.checked
                color: ItemCommonClr.clrPress
            }
        }
        label: Text {
            textFormat: Text.PlainText
            text: control.text
            color: ItemCommonClr.clrTextLabel
            font.pixelSize: 12
        }
    }

    readonly property Component g_tableview_item: Component {
        Rectangle {
            color: styleData.selected ? ItemCommonClr.clrPress : ItemCommonClr.clrClientBackground
            Text {
                anchors.fill: parent
                anchors.leftMargin: 4
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                textFormat: Text.PlainText
                text: styleData.value === undefined ? "" : styleData.value
                color: ItemCommonClr.clrTextSecLv
                font.pixelSize: 12
            }
        }
    }
    readonly property Component g_tableview_header_sec: Component {
        Rectangle {
            height: 26
            color: ItemCommonClr.clrPropertyTitleBackground
            border.color: ItemCommonClr.clrScrollBorder
            Text {
                anchors.fill: parent
                anchors.leftMargin: 4
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                textFormat: Text.PlainText
                text: styleData.value === undefined ? "" : styleData.value
                color: ItemCommonClr.clrTextLabel
                font.pixelSize: 12
            }
        }
    }

    readonly property Component g_component_style_menu: MenuStyle {
        frame: Rectangle {
            color: ItemCommonClr.clrTitleBackground
            border.color: ItemCommonClr.clrTextBroder
        }
        itemDelegate.background: Rectangle {
            color: styleData.selected ? ItemCommonClr.clrHover : ItemCommonClr.clrTransparent
        }
        itemDelegate.label: Text {
            textFormat: Text.PlainText
            text: styleData.text
            color: ItemCommonClr.clrTextButton
            font.pixelSize: 12
        }
    }
    readonly property Component g_component_style_palette_menu: g_component_style_menu

}
