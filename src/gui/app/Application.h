// The application: start-up (the interface language, the project session,
// the main window) and the settings store every window uses. The program ends
// when the main window closes.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#include "gui/base/AppPaths.h"

class QTranslator;

namespace phonotab {

class MainWindow;
class DialogPrompts;
class Prompts;
class ProjectSession;
class SettingsStore;

class Application {
public:
    struct Options {
        QString settingsFile;       // empty: the user's "phonotab.ini"
        AppPaths paths;             // empty folders: the running program's (AppPaths::ofProgram)
        Prompts* prompts = nullptr;  // null: dialogs
    };

    Application();
    explicit Application(Options options);
    ~Application();

    // The start-up sequence: the interface language ("Init"/"Language"; the
    // language dialog while none is set, with the locale's language offered
    // first), the user's data folder (its copies of the shipped reference
    // books and standard tables made when missing), the project session, the
    // main window (which reads the telemetry description, its settings and the
    // reference books). The window is built but not shown.
    void initInstance();

    // Opens what the command line names, in its order: a ".pht" file as the
    // project, a ".tbl" file in a table window, any other file as the current
    // data file.
    void openArgument(const QString& path);
    void openArguments(const QStringList& paths);

    SettingsStore& settings() { return *settings_; }
    ProjectSession& session() { return *session_; }
    MainWindow& mainWindow() { return *mainWindow_; }

private:
    void chooseLanguage();
    void translateToolkit(const QString& languageCode);

    Options options_;
    std::unique_ptr<DialogPrompts> dialogs_;
    std::unique_ptr<SettingsStore> settings_;
    // The session outlives the main window: windows write their settings and
    // leave the session's lists while they are destroyed.
    std::unique_ptr<ProjectSession> session_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<QTranslator> toolkitTranslator_;
};

}  // namespace phonotab
