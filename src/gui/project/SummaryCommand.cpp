#include "gui/project/SummaryCommand.h"

#include <QFileInfo>


#include "gui/base/LongTask.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/measurement/RecordDump.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/RecordTextFiles.h"
#include "gui/project/SummaryDialog.h"

namespace phonotab {

namespace {}  // namespace

void makeSummary(ProjectSession& session, QWidget* parent, const SummaryDialogRunner& run) {
    SettingsStore& settings = session.settings();
    Prompts& prompts = session.prompts();
    const QStringList chosen =
        prompts.openFilePaths(uiText(text::MakeSummary), uiText(text::BinaryFileFilter),
                              settings.text(browsesettings::kSection, browsesettings::kDataFolderKey));
    if (chosen.isEmpty()) return;
    settings.setText(browsesettings::kSection, browsesettings::kDataFolderKey,
                     QFileInfo(chosen.front()).absolutePath() + "/");

    // One kind of file: the first file's type is the kind.
    std::vector<std::string> files;
    std::uint16_t type = 0;
    for (const QString& f : chosen) {
        std::uint16_t t = 0;
        if (!readSummaryType(fromQt(f), t)) {
            prompts.showMessage(Message(msg::CannotOpen, fromQt(f)));
            return;
        }
        if (files.empty()) type = t;
        if (t != type) {
            prompts.showMessage(Message(msg::DifferentFileTypes, fromQt(QFileInfo(chosen.front()).fileName()),
                                        fromQt(QFileInfo(f).fileName())));
            return;
        }
        files.push_back(fromQt(f));
    }
    const Result<SummaryColumnModel> model = SummaryColumnModel::forType(session.teleDescription(), type);
    if (!model) {
        prompts.showMessage(Message(msg::UnknownFileType));
        return;
    }

    // The dialog: its flags and its list are kept whether or not the summary is made.
    const std::string config = fromQt(session.paths().reportConfig());
    ReportConfig stored = ReportConfig::load(config);
    SummaryDialog dialog(*model, settings, stored, parent);
    const bool accepted = run ? run(dialog) : dialog.exec() == QDialog::Accepted;
    dialog.storeFlags(settings);
    stored.store(type, dialog.columns());
    (void)stored.save(config);  // a list that cannot be stored is not worth a message
    if (!accepted || dialog.columns().empty()) return;

    QString folder = settings.text(browsesettings::kSection, browsesettings::kResultFolderKey);
    if (folder.isEmpty()) folder = QFileInfo(chosen.front()).absolutePath() + "/";
    const QString target = prompts.saveFilePath(uiText(text::MakeSummary), uiText(text::ResultFileFilter),
                                                folder + QFileInfo(chosen.front()).completeBaseName(), QStringLiteral("csv"));
    if (target.isEmpty()) return;
    settings.setText(browsesettings::kSection, browsesettings::kResultFolderKey,
                     QFileInfo(target).absolutePath() + "/");

    const SummaryRequest request{files, dialog.columns(), dialog.flags(), dialog.band()};
    Status result;
    runLongTask(parent, uiText(text::MakeSummary), [&](const Progress& progress) {
        result = WriteSummaryFile(request, fromQt(target), session.teleDescription(), TextEncoding::Utf8, progress);
    });
    session.controller().notify(DocumentNotice::FolderChanged);
    if (!result && result.error().id != msg::Cancelled) prompts.showMessage(result.error());
}

}  // namespace phonotab
