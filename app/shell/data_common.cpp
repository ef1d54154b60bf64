#include "shell/data_common.h"

#include "shell/h_translator.h"

namespace {
DataCommon* g_instance = nullptr;
}  // namespace

DataCommon* DataCommon::instance()
{
    if (g_instance == nullptr) {
        g_instance = new DataCommon();
    }
    return g_instance;
}

void DataCommon::destroy()
{
    delete g_instance;
    g_instance = nullptr;
}

DataCommon::DataCommon()
{
    connect(HTranslator::instance(), &HTranslator::sig_language_changed, this, &DataCommon::sig_language_changed);
}

QString DataCommon::software_name() const
{
    return tr("Korvane ") + software_title();
}

QString DataCommon::software_title() const
{
    return tr("红外分析处理软件");
}

QString DataCommon::software_company() const
{
    return tr("Korvane红外科技有限公司");
}

QString DataCommon::software_about() const
{
    return QStringLiteral("Copyright \u00A9 2026 Korvane Infrared Technology Co., Ltd.");
}

QString DataCommon::software_icon() const
{
    return QStringLiteral("qrc:/images/pyravue.svg");
}
