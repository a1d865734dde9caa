#include "app/CPhonotabApp.h"

#include "app/CPhonotabDlg.h"
#include "app/DialogPrompts.h"
#include "app/ProjectSession.h"
#include "app/SettingsStore.h"
#include "app/UiText.h"
#include "base/LanguageList.h"

namespace phonotab {

namespace {
const QString kInit = QStringLiteral("Init");
const QString kLanguage = QStringLiteral("Language");
}  // namespace

CPhonotabApp::CPhonotabApp() : CPhonotabApp(Options{}) {}

CPhonotabApp::CPhonotabApp(Options options) : options_(std::move(options)) {
    if (options_.paths.dataFolder.isEmpty()) options_.paths = AppPaths::besideExecutable();
    if (!options_.prompts) {
        dialogs_ = std::make_unique<DialogPrompts>();
        options_.prompts = dialogs_.get();
    }
    settings_ = std::make_unique<SettingsStore>(options_.settingsFile.isEmpty() ? SettingsStore::defaultPath()
                                                                                : options_.settingsFile);
}

CPhonotabApp::~CPhonotabApp() {
    mainWindow_.reset();
    session_.reset();
}

void CPhonotabApp::chooseLanguage() {
    const std::string folder = fromQt(options_.paths.languages());
    const QString stored = settings_->text(kInit, kLanguage);
    if (!stored.isEmpty()) {
        // A table that cannot be read leaves the built-in Russian in use.
        applyLanguageTable(folder, fromQt(stored));
        return;
    }
    const std::vector<LanguageChoice> choices = listLanguageTables(folder);
    const int chosen = options_.prompts->chooseLanguage(choices);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= choices.size()) return;  // asked again next time
    const LanguageChoice& c = choices[static_cast<std::size_t>(chosen)];
    if (applyLanguageTable(folder, c.fileName)) settings_->setText(kInit, kLanguage, toQt(c.fileName));
}

void CPhonotabApp::initInstance() {
    chooseLanguage();
    session_ = std::make_unique<ProjectSession>(*options_.prompts, *settings_, options_.paths);
    mainWindow_ = std::make_unique<CPhonotabDlg>(*session_);
    if (dialogs_) dialogs_->setParent(mainWindow_.get());
}

void CPhonotabApp::openArgument(const QString& path) {
    if (path.endsWith(QStringLiteral(".pht"), Qt::CaseInsensitive))
        session_->loadProject(path);
    else
        session_->openDataFile(path);
}

}  // namespace phonotab
