// Qt Quick's FileDialog shows Qt's own file dialog widget when the program
// runs on a QApplication, but hands that widget neither a default suffix
// nor a file name. These set them on the widget being shown.
#pragma once

#include <QString>

class QFileDialog;

namespace shown_file_dialog {

// The suffix a save takes from a name filter such as "Pictures (*.png)":
// the extension of its first pattern, in lower case; empty when the filter
// names none ("*", "*.*").
QString suffix_of_filter(const QString& filter);

// The file dialog widget shown now, or null (no QApplication, or Qt Quick
// chose a native dialog or its QML fallback).
QFileDialog* shown();

// Puts file_name into the file-name box of the shown dialog and, for a
// save, makes its default suffix follow the chosen filter. False when no
// widget dialog is shown.
bool prepare(const QString& file_name);

}  // namespace shown_file_dialog
