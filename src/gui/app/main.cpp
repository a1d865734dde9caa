// phonotab [FILE...]: the desktop application; each file is opened in turn (a
// project, a table file or a data file). phonotab --version prints the
// program's version.
#include <QApplication>

#include <cstdio>
#include <cstring>

#include "gui/app/Application.h"
#include "gui/app/MainWindow.h"

int main(int argc, char** argv) {
    // Answered before the toolkit starts, so that it needs no display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("phonotab %s\n", PHONOTAB_VERSION);
            return 0;
        }

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("phonotab"));
    QApplication::setApplicationVersion(QStringLiteral(PHONOTAB_VERSION));
    // The desktop entry: the window manager and the panel show its icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("phonotab"));
    QApplication::setQuitOnLastWindowClosed(false);

    phonotab::Application app;
    app.initInstance();
    QObject::connect(&app.mainWindow(), &phonotab::MainWindow::closed, &qapp, &QApplication::quit,
                     Qt::QueuedConnection);
    app.mainWindow().show();
    app.openArguments(QApplication::arguments().mid(1));
    return QApplication::exec();
}
