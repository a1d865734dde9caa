#include "gui/app/Application.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>

#include "gui/app/MainWindow.h"
#include "gui/base/DialogPrompts.h"
#include "gui/app/FolderView.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/base/LanguageList.h"
#include "core/base/LocaleLanguage.h"
#include "core/platform/ProgramFolders.h"

namespace phonotab {

namespace {
const QString kInit = QStringLiteral("Init");
const QString kLanguage = QStringLiteral("Language");
}  // namespace

Application::Application() : Application(Options{}) {}

Application::Application(Options options) : options_(std::move(options)) {
    if (options_.paths.dataFolder.isEmpty()) options_.paths.dataFolder = AppPaths::ofProgram().dataFolder;
    if (options_.paths.userFolder.isEmpty()) options_.paths.userFolder = AppPaths::defaultUserFolder();
    if (!options_.prompts) {
        dialogs_ = std::make_unique<DialogPrompts>();
        options_.prompts = dialogs_.get();
    }
    settings_ = std::make_unique<SettingsStore>(options_.settingsFile.isEmpty() ? SettingsStore::defaultPath()
                                                                                : options_.settingsFile);
}

Application::~Application() {
    mainWindow_.reset();
    session_.reset();
    if (toolkitTranslator_) QCoreApplication::removeTranslator(toolkitTranslator_.get());
}

void Application::chooseLanguage() {
    const std::string folder = fromQt(options_.paths.languages());
    const QString stored = settings_->text(kInit, kLanguage);
    if (!stored.isEmpty()) {
        // A table that cannot be read leaves the built-in Russian in use.
        if (applyLanguageTable(folder, fromQt(stored))) translateToolkit(QFileInfo(stored).completeBaseName());
        return;
    }
    // The tables of the locale's language come first, the first of them selected.
    std::vector<LanguageChoice> choices = listLanguageTables(folder);
    const std::string localeTable = languageTableFile(languageOfEnvironment());
    const auto others = std::stable_partition(choices.begin(), choices.end(),
                                              [&](const LanguageChoice& c) { return c.fileName == localeTable; });
    const int chosen = options_.prompts->chooseLanguage(choices, others == choices.begin() ? -1 : 0);
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < choices.size()) {
        const LanguageChoice& c = choices[static_cast<std::size_t>(chosen)];
        if (applyLanguageTable(folder, c.fileName)) {
            settings_->setText(kInit, kLanguage, toQt(c.fileName));
            translateToolkit(QFileInfo(toQt(c.fileName)).completeBaseName());
            return;
        }
    }
    translateToolkit(QStringLiteral("ru"));  // the built-in language stays; asked again next time
}

void Application::translateToolkit(const QString& code) {
    // The toolkit's own dialogs (files, folders) speak the language too when
    // the system has the toolkit's translation; otherwise they stay in English.
    if (toolkitTranslator_) QCoreApplication::removeTranslator(toolkitTranslator_.get());
    toolkitTranslator_ = std::make_unique<QTranslator>();
    if (toolkitTranslator_->load("qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkitTranslator_.get());
}

void Application::initInstance() {
    translateToolkit(QStringLiteral("ru"));  // the built-in language
    chooseLanguage();
    // Without its copies the program still runs; the reference books then report their own failure.
    (void)seedUserDataFolder(fromQt(options_.paths.dataFolder), fromQt(options_.paths.userFolder));
    session_ = std::make_unique<ProjectSession>(*options_.prompts, *settings_, options_.paths);
    mainWindow_ = std::make_unique<MainWindow>(*session_);
    if (dialogs_) dialogs_->setParent(mainWindow_.get());
}

void Application::openArgument(const QString& argument) {
    const QString path = QFileInfo(argument).absoluteFilePath();
    if (path.endsWith(QStringLiteral(".pht"), Qt::CaseInsensitive))
        session_->loadProject(path);
    else if (path.endsWith(QStringLiteral(".tbl"), Qt::CaseInsensitive))
        mainWindow_->folderView().commands().openTable(path);
    else
        session_->openDataFile(path);
}

void Application::openArguments(const QStringList& paths) {
    for (const QString& p : paths) openArgument(p);
}

}  // namespace phonotab
