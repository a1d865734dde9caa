// phonotab [PROJECT.pht | DATAFILE]: the desktop application.
#include <QApplication>

#include "app/CPhonotabApp.h"
#include "app/CPhonotabDlg.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("phonotab"));
    QApplication::setQuitOnLastWindowClosed(false);

    phonotab::CPhonotabApp app;
    app.initInstance();
    QObject::connect(&app.mainWindow(), &phonotab::CPhonotabDlg::closed, &qapp, &QApplication::quit,
                     Qt::QueuedConnection);
    app.mainWindow().show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) app.openArgument(args[1]);
    return QApplication::exec();
}
