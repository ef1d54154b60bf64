#include "shell/h_translator.h"

#include "shell/shell_log.h"

namespace {
HTranslator* g_instance = nullptr;
}  // namespace

HTranslator* HTranslator::instance()
{
    if (g_instance == nullptr) {
        g_instance = new HTranslator();
    }
    return g_instance;
}

void HTranslator::destroy()
{
    delete g_instance;
    g_instance = nullptr;
}

bool HTranslator::load(const QString& name)
{
    if (!QTranslator::load(QStringLiteral(":/%1").arg(name), QString(), QString(), QString())) {
        qCDebug(lcShell, "HTranslator cannot load %s", qPrintable(name));
        return false;
    }
    qCDebug(lcShell, "HTranslator load");
    emit sig_language_changed();
    return true;
}
