pragma Singleton
import QtQuick 2.15

// Texts of the detection-rule views and dialogs. Source texts are simplified
// Chinese; the bindings are taken again when the engine retranslates.
QtObject {
    readonly property string strStation: qsTr("变电")
    readonly property string strTranslation: qsTr("输电")
    readonly property string strDistribution: qsTr("配电")
    readonly property string strImport: qsTr("导入")
    readonly property string strExport: qsTr("导出")
    readonly property string strOK: qsTr("确定")
    readonly property string strCancel: qsTr("取消")
    readonly property string strYes: qsTr("是")
    readonly property string strNo: qsTr("否")

    // Tree and its menu.
    readonly property string strAddDetectRule: qsTr("添加诊断规则")
    readonly property string strClearAllDetectRule: qsTr("清空诊断规则")
    readonly property string strDelete: qsTr("删除")
    readonly property string strClearDetectRuleQue: qsTr("是否清空诊断规则？")
    readonly property string strClearDataSuccess: qsTr("清空数据成功！")
    readonly property string strClearDataErr: qsTr("清空数据失败！")
    readonly property string strDeleteDetectRuleQue: qsTr("删除当前节点会导致相关诊断规则删除，确定是否删除？")
    readonly property string strDeleteDataSuccess: qsTr("删除数据成功！")
    readonly property string strDeleteDataErr: qsTr("删除数据失败！")

    // Management area.
    readonly property string strDetectRuleSelected: qsTr("请选择诊断规则")
    readonly property string strAddSampleImage: qsTr("请添加示例图片")
    readonly property string strAddPic: qsTr("添加图片")
    readonly property string strAddIRPicErrTips: qsTr("非红外图片，请重新选择！")
    readonly property string strSavePicAndAna: qsTr("保存图片信息")
    readonly property string strErrSavePic: qsTr("示例图片保存失败！")
    readonly property string strOKSavePic: qsTr("图片信息保存成功！")
    readonly property string strAddFormula: qsTr("添加条件")
    readonly property string strChangeFormula: qsTr("修改条件")
    readonly property string strDeleteFormula: qsTr("删除条件")
    readonly property string strDeleteFormulaTip: qsTr("是否确定删除选中的诊断规则？")
    readonly property string strDeleteFormulaErr: qsTr("删除诊断规则失败！")
    readonly property string strIndex: qsTr("序号")
    readonly property string strWarningDegree: qsTr("缺陷等级")
    readonly property string strDetectFormula: qsTr("诊断公式")
    readonly property string strDes: qsTr("描述")
    readonly property string strFaultDes: qsTr("故障特征")
    readonly property string strThermalDes: qsTr("热像特征")
    readonly property string strHandingDes: qsTr("处理建议")
    readonly property string strDetectRuleJudge: qsTr("诊断规则判据")
    readonly property string strDetectRuleFormulaDes: qsTr("诊断规则公式说明")
    readonly property string strDetectRuleFormula: qsTr("诊断规则公式列表")
    readonly property string strDetectRuleFormulaTip: qsTr("注：诊断规则缺陷等级对应报警缺陷等级：【紧急/严重 - 报警】【一般/关注 - 预警】 ")
    readonly property var lstDetectRuleTips: [
        qsTr("1. 分析别名加“:”和特征温度 Max、Min、Avg，例如 R01:Max"),
        qsTr("2. EnvTemp 表示环境温度"),
        qsTr("3. math.abs 取绝对值"),
        qsTr("4. math.max 取参数中的最大值"),
        qsTr("5. math.min 取参数中的最小值"),
        qsTr("6. 逻辑运算 or、and、not，前后各留一个空格"),
        qsTr("7. 算术运算 -、+、*、/"),
        qsTr("8. 比较运算 >、<、>=、<="),
        qsTr("9. 百分比写成小数，35% 写作 0.35"),
        qsTr("10. $ 加在别名和特征前，取 A、B、C 三相中该分析的特征"),
        qsTr("11. & 加在别名和特征前，取当前相与其他各相之差（不取绝对值）")
    ]

    // Fault degrees offered by the formula dialog.
    readonly property string strFaultUrgent: qsTr("紧急")
    readonly property string strFaultSerious: qsTr("严重")
    readonly property string strFaultConcern: qsTr("关注")
    readonly property string strFaultGeneral: qsTr("一般")
    readonly property string strFaultNormal: qsTr("正常")
    // A formula's level is its degree id: shown by the degree's name in the
    // interface language; the stored name only for a degree of no name.
    function degree_name(n_id_degree, str_stored) {
        switch (n_id_degree) {
        case 1: return strFaultUrgent
        case 2: return strFaultSerious
        case 3: return strFaultConcern
        case 4: return strFaultGeneral
        case 5: return strFaultNormal
        default: return str_stored
        }
    }
    // Degrees 1 and 2 are alarms, every other an early warning, as the
    // alarm panel counts them.
    function is_alarm_degree(n_id_degree) {
        return n_id_degree === 1 || n_id_degree === 2
    }

    // Add-rule and formula dialogs.
    readonly property string strSubstationType: qsTr("适用专业")
    readonly property string strDeviceType: qsTr("设备类型")
    readonly property string strDeviceVoltage: qsTr("电压等级")
    readonly property string strDevicePart: qsTr("部位角度")
    readonly property string strDeviceShape: qsTr("设备形状")
    readonly property string strDeviceTypeNotEmpty: qsTr("设备类型不能为空！")
    readonly property string strDeviceVoltageNotEmpty: qsTr("设备电压不能为空！")
    readonly property string strDevicePartNotEmpty: qsTr("设备部位不能为空！")
    readonly property string strDeviceShapeNotEmpty: qsTr("设备形状不能为空！")
    readonly property string strAddDetectRuleErr: qsTr("添加诊断规则失败！")
    readonly property string strChangeDetectRule: qsTr("修改诊断规则")
    readonly property string strDetectFormulaNotEmpty: qsTr("诊断公式不能为空！")
    readonly property string strAddDetectFormulaErr: qsTr("添加新诊断公式失败！")
    readonly property string strChangeDetectFormulaErr: qsTr("修改新诊断公式失败！")

    // Rule selection window.
    readonly property string strSelectDetectRule: qsTr("选择诊断规则")
    readonly property string strAnaList: qsTr("分析列表")
    readonly property string strWarning: qsTr("报警")
    readonly property string strEarlyWarning: qsTr("预警")
    readonly property string strSelectDetectRuleTips: qsTr("选择诊断规则将删除原设置分析和报警条件，是否继续？")
    readonly property string strDetectRuleTips: qsTr("注：选择诊断规则将删除原设置分析和报警条件！")

    // Import and export windows.
    readonly property string strExportDetectRule: qsTr("导出诊断规则")
    readonly property string strImprotDetectRule: qsTr("导入诊断规则")
    readonly property string strChoiceExportRuleType: qsTr("选择导出规则类型")
    readonly property string strChoiceExportRuleTypeNull: qsTr("未选择诊断规则")
    readonly property string strLogInfo: qsTr("日志信息")
    readonly property string strImportProgress: qsTr("进度条")
    readonly property string strColon: qsTr("：")
    readonly property string strChoice: qsTr("选择")
    readonly property string strExportDetectRuleSuccess: qsTr("诊断规则包导出成功！")
    readonly property string strImportDetectRuleSuccess: qsTr("诊断规则包导入成功！")
    readonly property var lstEndStatus: [
        "",
        qsTr("诊断规则数据为空"),
        qsTr("退出成功"),
        qsTr("数据库库连接错误"),
        qsTr("Excel文件打开错误"),
        qsTr("压缩包打开错误"),
        qsTr("压缩包创建失败"),
        qsTr("选择路径可用空间不足"),
        qsTr("诊断规则Excel文件错误"),
        qsTr("诊断规则Excel文件为空")
    ]
}
