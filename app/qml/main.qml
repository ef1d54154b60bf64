import QtQuick 2.15
import QtQuick.Window 2.15
import "common"
import "shell"

// The program's one top-level window: frameless, with its own title bar,
// client area and status bar.
Window {
    id: id_main_window
    objectName: "main_window"
    visible: true
    width: 1084
    height: 700
    flags: Qt.Window | Qt.FramelessWindowHint
    color: ItemCommonClr.clrBackground

    signal sig_close_exe()

    ItemWndClient {
        id: id_wnd_client
        anchors.fill: parent
    }
}
