import QtQuick 2.15
import QtQuick.Window 2.15
import "../common"

// Settings window: analysis add mode, picture logo, report template and
// language. Every choice is stored in DataConfig at once.
Window {
    id: id_setting
    objectName: "wnd_setting"
    readonly property int nLanguage: DataConfig.n_language_type
    readonly property var languageNames: ["简体中文", "English", "繁體中文", "Русский", "Magyar"]
    property int nAddMode: DataConfig.get_add_ana_mode()
    property bool bLogo: DataConfig.get_enable_image_logo()
    property int nTemplate: DataConfig.get_report_template_selected()
    property var templateNames: ["", DataConfig.get_report_template_name(1),
                                 DataConfig.get_report_template_name(2), DataConfig.get_report_template_name(3)]

    // Asks the main window for a template file for custom template n.
    signal sig_browse_template(int n)
    // The user chose another language.
    signal sig_language(int n_language)

    width: nLanguage === 3 ? 650 : 500
    height: 320 + 30 * languageNames.length
    visible: false
    modality: Qt.WindowModal
    flags: Qt.Dialog | Qt.FramelessWindowHint
    color: ItemCommonClr.clrBackground
    title: ItemCommonText.strTextSetting

    function set_template_name(n, name) {
        var names = templateNames.slice()
        names[n] = name
        templateNames = names
    }

    ItemWndHead {
        id: id_head
        strTitle: ItemCommonText.strTextSetting
        bClosable: false
    }

    Column {
        anchors { left: parent.left; right: parent.right; top: id_head.bottom; margins: 20 }
        spacing: 10

        Text {
            textFormat: Text.PlainText
            text: ItemCommonText.strAnaAddMode
            color: ItemCommonClr.clrTextNormal
            font.pixelSize: 13
        }
        Row {
            spacing: 30
            leftPadding: 16
            ItemCustomRadio {
                objectName: "radio_add_single"
                strText: ItemCommonText.strAnaAddSingle
                checked: id_setting.nAddMode !== 0
                onSig_clicked: { id_setting.nAddMode = 1; DataConfig.set_add_ana_mode(1) }
            }
            ItemCustomRadio {
                objectName: "radio_add_multi"
                strText: ItemCommonText.strAnaAddMulti
                checked: id_setting.nAddMode === 0
                onSig_clicked: { id_setting.nAddMode = 0; DataConfig.set_add_ana_mode(0) }
            }
        }
        ItemCustomRadio {
            objectName: "check_logo"
            visible: !DataCommon.is_null_company()
            bSquare: true
            strText: ItemCommonText.strImageLogo
            checked: id_setting.bLogo
            onSig_clicked: { id_setting.bLogo = !id_setting.bLogo; DataConfig.set_enable_image_logo(id_setting.bLogo) }
        }
        Text {
            textFormat: Text.PlainText
            text: ItemCommonText.strRerpotTemplate
            color: ItemCommonClr.clrTextNormal
            font.pixelSize: 13
        }
        Grid {
            columns: 2
            columnSpacing: 16
            rowSpacing: 6
            leftPadding: 16
            Repeater {
                model: 4
                Row {
                    spacing: 10
                    ItemCustomRadio {
                        objectName: "radio_template_" + index
                        enabled: index === 0 || id_setting.templateNames[index] !== ""
                        width: Math.max(110, implicitWidth)
                        strText: index === 0 ? ItemCommonText.strTemplateDefault
                                             : ItemCommonText.strTemplateCustom + " " + index
                                               + (id_setting.templateNames[index] === "" ? "" : " (" + id_setting.templateNames[index] + ")")
                        checked: id_setting.nTemplate === index
                        onSig_clicked: { id_setting.nTemplate = index; DataConfig.set_report_template_selected(index) }
                    }
                    ItemCustomBtnNormal {
                        objectName: "btn_template_" + index
                        // The default has no file; its cell keeps the place so
                        // that the grid's columns line up.
                        opacity: index > 0 ? 1 : 0
                        enabled: index > 0
                        height: 22
                        strText: ItemCommonText.strTextBrowse
                        onSig_btn_release: id_setting.sig_browse_template(index)
                    }
                }
            }
        }
        Text {
            textFormat: Text.PlainText
            text: ItemCommonText.strTextLanguage
            color: ItemCommonClr.clrTextNormal
            font.pixelSize: 13
        }
        Column {
            spacing: 8
            leftPadding: 16
            Repeater {
                model: id_setting.languageNames
                ItemCustomRadio {
                    objectName: "radio_language_" + index
                    strText: modelData
                    checked: index === id_setting.nLanguage || (index === 0 && (id_setting.nLanguage < 1 || id_setting.nLanguage > 4))
                    onSig_clicked: {
                        if (!checked)
                            id_setting.sig_language(index)
                    }
                }
            }
        }
    }

    ItemCustomBtnNormal {
        objectName: "setting_exit"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 16
        strText: ItemCommonText.strExit
        onSig_btn_release: id_setting.visible = false
    }
}
