import QtQuick 2.15

// Texts of the report designer's panels and menus, assigned again after a
// language change so that bindings to them follow it.
QtObject {
    property string strGeneral
    property string strFont
    property string strMark
    property string strPictureParam
    property string strFontFamily
    property string strFontSize
    property string strBold
    property string strItalic
    property string strUnderline
    property string strAlignLeft
    property string strAlignCenter
    property string strAlignRight
    property string strMarkValue
    property string strMarkMeaning
    property string strMarkText
    property string strChooseMark
    property string strRowAbove
    property string strRowBelow
    property string strColumnLeft
    property string strColumnRight
    property string strPalette
    property string strSource
    property string strField
    property string strAnaName
    property string strAnaMax
    property string strAnaMin
    property string strAnaAvg
    // Picture fields of a mark's meaning, by mark type 5 to 30.
    property var arrPictureFields: []

    function picture_field(type) {
        return type >= 5 && type <= 30 ? arrPictureFields[type - 5] : ""
    }

    function update_text() {
        strGeneral = qsTr("常规")
        strFont = qsTr("字体")
        strMark = qsTr("标记")
        strPictureParam = qsTr("图片参数")
        strFontFamily = qsTr("字体名称")
        strFontSize = qsTr("字号")
        strBold = qsTr("粗体")
        strItalic = qsTr("斜体")
        strUnderline = qsTr("下划线")
        strAlignLeft = qsTr("左对齐")
        strAlignCenter = qsTr("居中")
        strAlignRight = qsTr("右对齐")
        strMarkValue = qsTr("标记值")
        strMarkMeaning = qsTr("标记含义")
        strMarkText = qsTr("标记文本")
        strChooseMark = qsTr("选择标记...")
        strRowAbove = qsTr("在上方插入行")
        strRowBelow = qsTr("在下方插入行")
        strColumnLeft = qsTr("在左侧插入列")
        strColumnRight = qsTr("在右侧插入列")
        strPalette = qsTr("调色板")
        strSource = qsTr("图片/分析")
        strField = qsTr("字段")
        strAnaName = qsTr("名称")
        strAnaMax = qsTr("最高温")
        strAnaMin = qsTr("最低温")
        strAnaAvg = qsTr("平均温")
        arrPictureFields = [qsTr("标题"), qsTr("拍摄日期"), qsTr("拍摄时间"), qsTr("运行电压"), qsTr("负荷电流"),
                            qsTr("发射率"), qsTr("距离"), qsTr("环境温度"), qsTr("相对湿度"),
                            qsTr("全屏最高温"), qsTr("全屏最低温"), qsTr("全屏平均温"),
                            qsTr("测量点温度"), qsTr("正常点温度"), qsTr("温升"), qsTr("温差"), qsTr("相对温差"),
                            qsTr("超声检测结果"), qsTr("红外检测结果"), qsTr("综合检测结果"),
                            qsTr("设备区域"), qsTr("变电站名称"), qsTr("设备类型"), qsTr("设备名称"),
                            qsTr("相别"), qsTr("部位")]
    }
    Component.onCompleted: update_text()
    property Connections connLanguage: Connections {
        target: HTranslator
        function onSig_language_changed() { update_text() }
    }
}
