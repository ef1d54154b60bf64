#include "shell/shown_file_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>

namespace shown_file_dialog {

QString suffix_of_filter(const QString& filter)
{
    // The patterns are inside the last parentheses, or the whole filter.
    QString patterns = filter;
    const int open = filter.lastIndexOf(QLatin1Char('('));
    const int close = filter.lastIndexOf(QLatin1Char(')'));
    if (open >= 0 && close > open) {
        patterns = filter.mid(open + 1, close - open - 1);
    }
    const QString first = patterns.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).value(0);
    const int dot = first.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        return QString();
    }
    const QString suffix = first.mid(dot + 1);
    if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?'))) {
        return QString();
    }
    // Lower case, as the writers name their files (a clip chosen as
    // "*.H264" is written as ".h264"), so that the file the dialog asks
    // about before replacing it is the file that gets written.
    return suffix.toLower();
}

QFileDialog* shown()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    // The dialogs are window-modal and each showing has a widget of its
    // own, so at most one is visible.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

bool prepare(const QString& file_name)
{
    QFileDialog* dialog = shown();
    if (dialog == nullptr) {
        return false;
    }
    dialog->selectFile(file_name);
    if (dialog->acceptMode() == QFileDialog::AcceptSave) {
        dialog->setDefaultSuffix(suffix_of_filter(dialog->selectedNameFilter()));
        QObject::connect(dialog, &QFileDialog::filterSelected, dialog,
                         [dialog](const QString& filter) { dialog->setDefaultSuffix(suffix_of_filter(filter)); });
    }
    return true;
}

}  // namespace shown_file_dialog
