#include "shell/qml_registration.h"

#include "browse/model_dir_info.h"
#include "browse/model_ir_info.h"
#include "browse/wnd_pic_preview.h"
#include "charts/manager_chart_trend.h"
#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_line.h"
#include "charts/wnd_chart_trend_pixel.h"
#include "markpen.h"
#include "reports/batching_file.h"
#include "reports/wnd_report_client.h"
#include "rules/data_sql.h"
#include "rules/detect_rule_import_export.h"
#include "rules/item_tree_rule_model.h"
#include "shell/data_common.h"
#include "shell/data_config.h"
#include "shell/h_translator.h"
#include "sources/net_dev_discover.h"
#include "sources/ptz_control.h"
#include "sources/wnd_ir_reconnect.h"
#include "views/wnd_ir_isotherm.h"
#include "views/wnd_ir_palette.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_ir_thumbnail.h"
#include "views/wnd_table_ir_temp.h"
#include "views/wnd_table_ir_temp_simplified.h"
#include "views/wnd_player_progress_bar.h"
#include "views/wnd_video_edit.h"
#include "views/wnd_video_edit_progress.h"

#include <QQmlContext>
#include <QtQml>

QUrl main_qml_url()
{
    return QUrl(QStringLiteral("qrc:/qml/main.qml"));
}

void init_app_resources()
{
    Q_INIT_RESOURCE(pyravue_qml);
    Q_INIT_RESOURCE(pyravue_images);
    Q_INIT_RESOURCE(pyravue_language);
}

namespace {

// Registers T as element T of module "VY.T" 1.0, so that `import VY.T 1.0`
// gives that element and nothing else.
template <class T>
void register_own_module(const char* name)
{
    const QByteArray uri = QByteArray("VY.") + name;
    qmlRegisterType<T>(uri.constData(), 1, 0, name);
}

}  // namespace

// The program's QML types, in this order, each in a module of its own.
void register_qml_types()
{
    // Reads config.json.
    DataConfig::instance();

    register_own_module<BatchingFile>("BatchingFile");
    register_own_module<ModelIRInfo>("ModelIRInfo");
    register_own_module<ModelDirInfo>("ModelDirInfo");
    register_own_module<WndPicPreview>("WndPicPreview");
    register_own_module<WndIRPalette>("WndIRPalette");
    register_own_module<WndIRIsotherm>("WndIRIsotherm");
    register_own_module<WndPlayerProgressBar>("WndPlayerProgressBar");
    register_own_module<WndIRShow>("WndIRShow");
    register_own_module<WndChartArea>("WndChartArea");
    qmlRegisterUncreatableType<WndChartBase>("VY.WndChartBase", 1, 0, "WndChartBase",
                                             QStringLiteral("the chart base is made only as a chart"));
    register_own_module<WndChartLine>("WndChartLine");
    register_own_module<WndChartTrend>("WndChartTrend");
    register_own_module<WndChartTrendPixel>("WndChartTrendPixel");
    register_own_module<WndTableIRTempSimplified>("WndTableIRTempSimplified");
    register_own_module<WndTableIRTemp>("WndTableIRTemp");
    register_own_module<WndIRThumbnail>("WndIRThumbnail");
    register_own_module<WndIRReconnect>("WndIRReconnect");
    register_own_module<NetDevDiscover>("NetDevDiscover");
    register_own_module<PtzControl>("PtzControl");
    register_own_module<DetectRuleImportExport>("DetectRuleImportExport");
    register_own_module<WndVideoEdit>("WndVideoEdit");
    register_own_module<WndVideoEditProgress>("WndVideoEditProgress");
    register_own_module<WndReportClient>("WndReportClient");
    // The rule tree's model, beside the table's types.
    register_own_module<ItemTreeRuleModel>("ItemTreeRuleModel");
}

void set_context_properties(QQmlContext* context)
{
    context->setContextProperty(QStringLiteral("HTranslator"), HTranslator::instance());
    context->setContextProperty(QStringLiteral("DataCommon"), DataCommon::instance());
    context->setContextProperty(QStringLiteral("DataConfig"), DataConfig::instance());
    context->setContextProperty(QStringLiteral("ManagerChartTrend"), ManagerChartTrend::instance());
    context->setContextProperty(QStringLiteral("DataSql"), DataSql::instance());

    DataConfig* config = DataConfig::instance();
    if (config->get_enable_image_logo()) {
        markpen_set_logo(":/images/logo_kor.png");
    } else {
        markpen_clear_logo();
    }
    markpen_set_analysis_mode(config->get_add_ana_mode() == 0);
}
