import QtQuick 2.15
import QtQuick.Controls 1.4
import "../common"

// Help menu: language and about. The main window keeps it without placing it.
Menu {
    id: id_menu
    signal sig_language(int n_language)
    signal sig_about()

    Menu {
        title: ItemCommonText.strTextLanguage
        MenuItem {
            text: "简体中文"
            checkable: true
            checked: DataConfig.n_language_type === 0
            onTriggered: id_menu.sig_language(0)
        }
        MenuItem {
            text: "English"
            checkable: true
            checked: DataConfig.n_language_type === 1
            onTriggered: id_menu.sig_language(1)
        }
        MenuItem {
            text: "繁體中文"
            checkable: true
            checked: DataConfig.n_language_type === 2
            onTriggered: id_menu.sig_language(2)
        }
    }
    MenuItem {
        text: ItemCommonText.strTextAbout
        onTriggered: id_menu.sig_about()
    }
}
