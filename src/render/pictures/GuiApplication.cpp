#include "render/pictures/GuiApplication.h"

#include <QGuiApplication>

#include <cstdio>

namespace phonotab {

namespace {

// The batch tool's output is its own: the offscreen platform's notes (no
// runtime folder, no session) are not shown, real failures are.
void batchMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

// The object lives until the process ends: taking it down among the static
// destructors, after the library's own state, is what must not happen.
void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&batchMessages);
    static int argc = 1;
    static char name[] = "phonotab-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

}  // namespace phonotab
