#include "shell/data_common.h"

#include "shell/h_translator.h"
#include "shell/shell_log.h"

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

namespace {
const char* const kRulesWord = "rules";
}  // namespace

int DataCommon::edition_from(const QByteArray& text)
{
    int edition = 2;
    for (const QByteArray& part : text.split(',')) {
        const QByteArray word = part.trimmed();
        if (word.isEmpty() || word == kRulesWord) {
            continue;
        }
        bool ok = false;
        const int number = word.toInt(&ok);
        if (!ok || number < 0 || number > 2) {
            qCWarning(lcShell) << "unknown edition in PYRAVUE_EDITION:" << text;
            return 2;
        }
        edition = number;
    }
    return edition;
}

bool DataCommon::detect_rule_from(const QByteArray& text)
{
    for (const QByteArray& part : text.split(',')) {
        if (part.trimmed() == kRulesWord) {
            return true;
        }
    }
    return false;
}

DataCommon::DataCommon()
    : m_software_version(edition_from(qgetenv("PYRAVUE_EDITION")))
    , m_detect_rule(detect_rule_from(qgetenv("PYRAVUE_EDITION")))
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
