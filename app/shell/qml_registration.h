// The one place where the program's C++ types and objects meet the QML.
#pragma once

#include <QUrl>

class QQmlContext;

// "qrc:/qml/main.qml", the main window.
QUrl main_qml_url();

// Registers every QML type of the program, each in a module of its own named
// "VY." plus the type name, version 1.0, in the fixed start-up order.
void register_qml_types();

// Publishes the program's service objects to the QML, in the fixed order.
void set_context_properties(QQmlContext* context);

// Makes the compiled-in resources (QML, images, translations) reachable; the
// program is a static library, so nothing else would pull them in.
void init_app_resources();
