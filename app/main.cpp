// Entry point of pyravue: the application object and the event loop. The
// start-up and shutdown order lives in AppShell. The application is a
// QApplication so that the QML file dialogs are Qt's own file dialog, with
// its file-name box.
#include "shell/app_shell.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
    QApplication app(argc, argv);
    int result = 0;
    {
        AppShell shell;
        shell.load_main_window();
        result = app.exec();
    }
    return result;
}
