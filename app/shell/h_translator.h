// The program's only translator: installed in the application at start-up
// and loaded by the QML with one of the five translation files of the
// resources.
#pragma once

#include <QString>
#include <QTranslator>

class HTranslator : public QTranslator {
    Q_OBJECT

public:
    // The singleton, created on the first call. GUI thread only.
    static HTranslator* instance();
    // Deletes the singleton (which removes it from the application).
    static void destroy();

    // Loads ":/" + name, e.g. "language/PyravueEN.qm". The messages of the
    // file loaded before are discarded either way; false (no signal) when the
    // file is not in the resources.
    Q_INVOKABLE bool load(const QString& name);

signals:
    void sig_language_changed();

private:
    HTranslator() = default;
};
