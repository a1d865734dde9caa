// The application started on a scratch settings file and scripted answers,
// with the build's data folder (telemetry description, languages, demo data)
// and a scratch user's data folder.
#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <memory>

#include "ScriptedPrompts.h"
#include "gui/app/Application.h"
#include "gui/app/MainWindow.h"
#include "gui/app/MainCommands.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"

namespace phonotab::testing {

// The build's data folder.
QString dataFolder();
// A demo data file or project.
QString demoFile(const QString& name);

struct AppFixture {
    QTemporaryDir scratch;
    ScriptedPrompts prompts;
    std::unique_ptr<Application> app;

    QString settingsFile() const { return scratch.path() + "/phonotab.ini"; }
    QString userFolder() const { return scratch.path() + "/user"; }
    // A folder inside the scratch folder, made when missing.
    QString folder(const QString& name) const;
    // The demo data and project copied into a scratch folder of that name (a
    // calculation writes result files beside the data), the copy opened and
    // made the working folder; the copy's folder, empty when that failed.
    // Call after start().
    QString openDemoCopy(const QString& name);
    // Settings to start with (the language is set to Russian unless given).
    SettingsStore settings() const { return SettingsStore(settingsFile()); }

    // Starts the application and shows its main window.
    void start();
    MainWindow& window() { return app->mainWindow(); }
    ProjectSession& session() { return app->session(); }
    MainCommands& commands() { return app->mainWindow().commands(); }
    // Whether every action of the command (menu item and toolbar button) is enabled.
    bool enabled(int command);
    bool checked(int command);
};

}  // namespace phonotab::testing
