pragma Singleton
import QtQuick 2.15

// User-interface texts shared by several files. Source texts are simplified
// Chinese; update_text assigns every text again after a language change, so
// bindings to these properties follow it.
QtObject {
    property string strTextNotAvailable: qsTr("此功能尚未提供")

    function update_text() {
        strTextNotAvailable = qsTr("此功能尚未提供")
    }
}
