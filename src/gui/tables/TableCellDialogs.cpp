#include "gui/tables/TableCellDialogs.h"

#include <QCursor>
#include <QFileInfo>
#include <QMenu>

#include "gui/acoustics/ParameterChooserDialog.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/project/ProjectTableSources.h"
#include "core/tables/CellHint.h"
#include "gui/tables/DataFileParameterDialog.h"
#include "gui/tables/ReferenceFormulaDialog.h"
#include "gui/tables/TextDialog.h"

namespace phonotab {

namespace {
constexpr int kMostPercentiles = 32;
}  // namespace

// ---- files ----------------------------------------------------------------------------------

std::optional<std::string> DataFileQuestions::chooseDataFile() {
    SettingsStore& settings = session_.settings();
    const QString folder = settings.text(DataFileFolderSection, DataFileFolderKey);
    const QString path = session_.prompts().openFilePath(uiText(text::OpenDataFile), uiText(text::DataFileFilter), folder);
    if (path.isEmpty()) return std::nullopt;
    settings.setText(DataFileFolderSection, DataFileFolderKey, QFileInfo(path).absolutePath());
    return fromQt(path);
}

std::optional<DataSelection> DataFileQuestions::chooseFileParameter(DataTree& file, const FileParameterRequest& request) {
    DataFileParameterDialog dialog(file, request, parent_);
    if (dialog.exec() != QDialog::Accepted || !dialog.hasChoice()) return std::nullopt;
    return dialog.selection();
}

void DataFileQuestions::showMessage(const Message& message) { session_.prompts().showMessage(message); }

// ---- cell commands --------------------------------------------------------------------------

bool TableCellDialogs::confirmBindingRemoval() {
    return session_.prompts().ask(uiText(text::ConfirmBindingRemoval), false) == Prompts::Answer::Yes;
}

std::optional<std::string> TableCellDialogs::enterText(const std::string& preset) {
    TextDialog dialog(preset, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.text();
}

std::optional<ProjectParameterChoice> TableCellDialogs::chooseProjectParameter(const ProjectParameterPreset& preset) {
    const ProjectState& project = session_.state();
    const TeleDesc& desc = session_.controller().teleDescription();
    const ProjectTableSources sources(project.files, &desc);
    // Every project file whose type the description knows, named "%s [%s]".
    std::deque<RecordLayout> layouts;
    std::vector<std::size_t> fileOf;
    ChooserRequest request;
    request.tableBinding = true;
    int presetSource = -1;
    for (std::size_t i = 0; i < project.files.size(); ++i) {
        const ProjectFileEntry& f = project.files[i];
        Result<RecordLayout> layout = BuildLayout(desc, static_cast<std::uint32_t>(f.fileType));
        if (!layout) continue;
        layouts.push_back(std::move(*layout));
        if (preset.binding && preset.binding->sourceName == f.referenceName) presetSource = static_cast<int>(fileOf.size());
        fileOf.push_back(i);
        request.sources.push_back({QStringLiteral("%1 [%2]").arg(toQt(f.referenceName), toQt(f.path)),
                                   NamingContext{&desc, &layouts.back(), nullptr}, false});
    }
    if (request.sources.empty()) return std::nullopt;
    // The statistics a cell can show: the first source's percentiles name the percentile items.
    const std::string first = project.files[fileOf[presetSource >= 0 ? static_cast<std::size_t>(presetSource) : 0]].referenceName;
    for (int item = CellBinding::SourceName;; ++item) {
        if (item >= CellBinding::FirstPercentile &&
            (item - CellBinding::FirstPercentile >= kMostPercentiles ||
             !sources.sourcePercentile(first, item - CellBinding::FirstPercentile)))
            break;
        request.items << toQt(bindingItemName(CellBinding{first, 0, item, -1.0}, &sources));
    }
    const int presetItem = (preset.binding ? preset.binding->itemIndex : CellBinding::Leq) - CellBinding::SourceName;
    request.item = std::clamp(presetItem, 0, static_cast<int>(request.items.size()) - 1);

    ParameterChooserDialog chooser(request, session_.settings(), parent_);
    if (presetSource >= 0) chooser.source->setCurrentIndex(presetSource);
    chooser.count->setMaximum(std::max(chooser.count->maximum(), preset.count));
    if (chooser.exec() != QDialog::Accepted || !chooser.hasChoice()) return std::nullopt;
    const ChooserChoice c = chooser.choice();
    if (c.source < 0 || static_cast<std::size_t>(c.source) >= fileOf.size()) return std::nullopt;
    ProjectParameterChoice out;
    out.sourceName = project.files[fileOf[static_cast<std::size_t>(c.source)]].referenceName;
    out.parameterCode = static_cast<std::int32_t>(c.entry.code);
    out.itemIndex = c.item + CellBinding::SourceName;
    out.oneParameterManyFiles = c.severalFiles;
    return out;
}

std::optional<std::string> TableCellDialogs::chooseReferenceFormula(const std::string& preset) {
    ReferenceFormulaDialog dialog(session_.controller().referenceBooks(), preset, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::string formula = dialog.formula();
    if (formula.empty()) return std::nullopt;
    return formula;
}

std::optional<std::string> TableCellDialogs::chooseDataSource(const std::string& current) {
    QStringList names;
    for (const ProjectFileEntry& f : session_.state().files) names << toQt(f.referenceName);
    (void)current;
    const int chosen = session_.prompts().chooseItem(uiText(text::ChooseDataSource), names);
    if (chosen < 0 || chosen >= names.size()) return std::nullopt;
    return fromQt(names[chosen]);
}

// ---- macros ---------------------------------------------------------------------------------

std::optional<std::size_t> TableMacroDialogs::chooseVariant(const std::vector<std::string>& variants) {
    QMenu menu(parent_);
    for (std::size_t i = 0; i < variants.size(); ++i) menu.addAction(toQt(variants[i]))->setData(static_cast<int>(i));
    const QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen) return std::nullopt;
    return static_cast<std::size_t>(chosen->data().toInt());
}

std::optional<std::size_t> TableMacroDialogs::chooseOption(const std::string& title, const std::vector<std::string>& options) {
    QMenu menu(parent_);
    menu.addAction(toQt(title))->setEnabled(false);
    menu.addSeparator();
    for (std::size_t i = 0; i < options.size(); ++i) menu.addAction(toQt(options[i]))->setData(static_cast<int>(i));
    const QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen || !chosen->isEnabled()) return std::nullopt;
    return static_cast<std::size_t>(chosen->data().toInt());
}

}  // namespace phonotab
