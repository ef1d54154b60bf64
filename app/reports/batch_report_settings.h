// What a print job needs of the program's configuration and of the screen,
// taken on the GUI thread when the job is asked for, so that the worker
// never reaches for GUI-thread objects.
#pragma once

#include <QMetaType>
#include <QSize>
#include <QString>

struct BatchReportSettings {
    // The custom template slot chosen in the settings: 0 none, 1 ... 3.
    int template_selected = 0;
    // The custom template, or the built-in one and its variant with
    // visible-light picture places.
    QString template_path;
    QString template_path_vi;
    bool chinese = true;
    // The printer page in screen pixels that layouts are scaled to.
    QSize page_size;
    // Screen dots per inch of the document writer.
    int dpi = 96;
    // Where a layout's logo image is written for the document.
    QString logo_folder;

    // From the configuration; GUI thread only.
    static BatchReportSettings from_config();
};

Q_DECLARE_METATYPE(BatchReportSettings)
