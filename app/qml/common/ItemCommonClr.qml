pragma Singleton
import QtQuick 2.15

// Colours of the dark theme; every file takes its colours from here.
QtObject {
    readonly property color clrTitleBackground: "#1B2838"
    readonly property color clrBackground: "#2A475E"
    readonly property color clrClientBackground: "#181F27"
    readonly property color clrCurBackgroud: "#3498DB"
    readonly property color clrClientSecBackgroud: clrBackground
    readonly property color clrPropertyTitleBackground: clrTitleBackground
    readonly property color clrScrollBorder: "#071017"
    readonly property color clrBtnTitlePress: "#2A475E"
    readonly property color clrBtnTitleHover: "#2B3848"
    readonly property color clrTextButton: "#FFFFFF"
    readonly property color clrTextLabel: "#ACDBF5"
    readonly property color clrTextNormal: "#66C0F4"
    readonly property color clrTextDisable: clrTextLabel
    readonly property color clrTextPress: "#FFFFFF"
    readonly property color clrTextSecLv: "#C6D4DF"
    readonly property color clrTextBroder: "#1A4C6D"
    readonly property color clrPress: "#3498DB"
    readonly property color clrBroder: "#1B2838"
    readonly property color clrHover: "#2980B9"
    readonly property color clrPreviewHover: "#195888"
    readonly property color clrTransparent: "transparent"
}
