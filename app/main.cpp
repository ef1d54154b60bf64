// Entry point of pyravue: the application object and the event loop. The
// start-up and shutdown order lives in AppShell.
#include "shell/app_shell.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
    QGuiApplication app(argc, argv);
    int result = 0;
    {
        AppShell shell;
        shell.load_main_window();
        result = app.exec();
    }
    return result;
}
