#include "gui/project/DumpCommands.h"

#include <QFileInfo>


#include "gui/base/LongTask.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/RecordTextFiles.h"

namespace phonotab {

namespace {

QStringList chooseDataFiles(ProjectSession& session, text::Id title) {
    SettingsStore& s = session.settings();
    const QStringList files =
        session.prompts().openFilePaths(uiText(title), uiText(text::BinaryFileFilter),
                                        s.text(browsesettings::kSection, browsesettings::kDataFolderKey));
    if (!files.isEmpty())
        s.setText(browsesettings::kSection, browsesettings::kDataFolderKey,
                  QFileInfo(files.front()).absolutePath() + "/");
    return files;
}

// The result file, proposed beside the data file under its name.
QString chooseResultFile(ProjectSession& session, text::Id title, const QString& dataFile) {
    SettingsStore& s = session.settings();
    const QFileInfo data(dataFile);
    QString folder = s.text(browsesettings::kSection, browsesettings::kResultFolderKey);
    if (folder.isEmpty()) folder = data.absolutePath() + "/";
    const QString path = session.prompts().saveFilePath(uiText(title), uiText(text::ResultFileFilter),
                                                        folder + data.completeBaseName(), QStringLiteral("txt"));
    if (!path.isEmpty())
        s.setText(browsesettings::kSection, browsesettings::kResultFolderKey, QFileInfo(path).absolutePath() + "/");
    return path;
}

// Runs one dump as long work; false when it failed or was stopped (the
// message shown), which ends the command.
bool dump(ProjectSession& session, QWidget* parent, text::Id title, const std::vector<std::string>& files,
          const QString& target) {
    Status result;
    runLongTask(parent, uiText(title), [&](const Progress& progress) {
        result = WriteRecordDumpFile(files, fromQt(target), session.teleDescription(), TextEncoding::Utf8, progress);
    });
    session.controller().notify(DocumentNotice::FolderChanged);
    if (result) return true;
    if (result.error().id != msg::Cancelled) session.prompts().showMessage(result.error());
    return false;
}

}  // namespace

void convertToText(ProjectSession& session, QWidget* parent) {
    for (const QString& file : chooseDataFiles(session, text::ConvertBinToTxt)) {
        const QString target = chooseResultFile(session, text::ConvertBinToTxt, file);
        if (target.isEmpty() || !dump(session, parent, text::ConvertBinToTxt, {fromQt(file)}, target)) return;
    }
}

void joinToText(ProjectSession& session, QWidget* parent) {
    const QStringList files = chooseDataFiles(session, text::JoinBinToTxt);
    if (files.isEmpty()) return;
    const QString target = chooseResultFile(session, text::JoinBinToTxt, files.front());
    if (target.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& f : files) paths.push_back(fromQt(f));
    dump(session, parent, text::JoinBinToTxt, paths, target);
}

}  // namespace phonotab
