import QtQuick 2.15

// Texts of the report and batch-analysis windows, assigned again after a
// language change so that bindings to them follow it.
QtObject {
    property string strReportPrint
    property string strOpenReport
    property string strExit
    property string strChooseReportFile
    property string strReportFileFilter
    property string strReportStopped
    property string strTemplateWrong
    property string strWordFailed
    property string strTemplateFileFailed
    property string strNoIrPicture
    property string strReportSaveFailed
    property string strReportDone
    property string strBatchAna
    property string strAnaList
    property string strBatchModify
    property string strChooseAnaPictures
    property string strPictureFilter
    property string strBatchAnaEnd
    property string strNoAnalysis

    function update_text() {
        strReportPrint = qsTr("打印报告")
        strOpenReport = qsTr("打开报告")
        strExit = qsTr("退出")
        strChooseReportFile = qsTr("选择打印报告文件")
        strReportFileFilter = qsTr("报告文件")
        strReportStopped = qsTr("报告打印退出成功")
        strTemplateWrong = qsTr("默认模板设置错误!")
        strWordFailed = qsTr("打开word失败！")
        strTemplateFileFailed = qsTr("打开模板文件失败!")
        strNoIrPicture = qsTr("没有红外图片!")
        strReportSaveFailed = qsTr("报告保存失败!")
        strReportDone = qsTr("报告打印完成")
        strBatchAna = qsTr("批量应用分析")
        strAnaList = qsTr("分析列表")
        strBatchModify = qsTr("批量修改")
        strChooseAnaPictures = qsTr("选择需要批量分析的图片")
        strPictureFilter = qsTr("图片")
        strBatchAnaEnd = qsTr("批量修改分析结束")
        strNoAnalysis = qsTr("当前图片没有分析")
    }
    Component.onCompleted: update_text()
    property Connections connLanguage: Connections {
        target: HTranslator
        function onSig_language_changed() { update_text() }
    }
}
