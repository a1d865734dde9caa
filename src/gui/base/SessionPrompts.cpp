#include "gui/base/SessionPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "gui/base/LongTask.h"
#include "gui/base/Prompts.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
// The folder the data-file dialog opened last.

}  // namespace

void SessionPrompts::showMessage(const Message& message) { prompts_.showMessage(message); }

DocumentPrompts::Answer SessionPrompts::ask(const Message& question, bool withCancel) {
    switch (prompts_.ask(messageText(question), withCancel)) {
        case Prompts::Answer::Yes: return Answer::Yes;
        case Prompts::Answer::No: return Answer::No;
        case Prompts::Answer::Cancel: break;
    }
    return Answer::Cancel;
}

std::string SessionPrompts::chooseFile(FileQuestion question, const std::string& start) {
    switch (question) {
        case FileQuestion::OpenProject:
            return fromQt(prompts_.openFilePath(uiText(text::OpenProject), uiText(text::ProjectFileFilter), toQt(start)));
        case FileQuestion::SaveProjectAs:
            return fromQt(
                prompts_.saveFilePath(uiText(text::SaveProjectAs), uiText(text::ProjectFileFilter), toQt(start), QStringLiteral("pht")));
        case FileQuestion::OpenDataFile: {
            QString folder = settings_.text(browsesettings::kSection, browsesettings::kDataFolderKey);
            if (folder.isEmpty()) folder = toQt(start);
            const QString path = prompts_.openFilePath(uiText(text::OpenFile), uiText(text::MeasurementFileFilter), folder);
            if (!path.isEmpty())
                settings_.setText(browsesettings::kSection, browsesettings::kDataFolderKey,
                                  QFileInfo(path).absolutePath() + "/");
            return fromQt(path);
        }
    }
    return {};
}

std::string SessionPrompts::chooseFolder(const std::string& start) {
    return fromQt(prompts_.chooseFolder(uiText(text::ChooseWorkingFolder), toQt(start)));
}

void SessionPrompts::openExternally(const std::string& path) { prompts_.openExternally(toQt(path)); }

void SessionPrompts::runLong(const Message& label, const std::function<void(const Progress&)>& work) {
    // The progress belongs to the window the work was started from, so that
    // the main window is not raised over it; the main window otherwise.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = QApplication::activeWindow();
    if (!owner) owner = dialogParent_;
    runLongTask(owner, messageText(label), work);
}

}  // namespace phonotab
