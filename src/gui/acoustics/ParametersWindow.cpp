#include "gui/acoustics/ParametersWindow.h"

#include <QColorDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "gui/acoustics/CalcSettingsDialog.h"
#include "core/acoustics/CalcSettings.h"
#include "gui/acoustics/HistogramSettingsDialog.h"
#include "gui/acoustics/ParameterChooserDialog.h"
#include "gui/base/EditHistoryActions.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
QColor toColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}
std::uint32_t fromColor(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}
}  // namespace

ParametersWindow::ParametersWindow(ProjectSession& session, QWidget* parent)
    : ChildWindow(session, WindowKind::Parameters, uiText(text::Parameters), QStringLiteral("ParameterDlg"), parent) {
    addEditHistoryActions(this, session);
    auto* layout = new QVBoxLayout(this);
    model_ = new ParameterTableModel(session, this);
    view_ = new QTableView(this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionsClickable(true);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view_->horizontalHeader()->setSectionResizeMode(kSourceColumn, QHeaderView::Stretch);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(view_);
    connect(view_, &QTableView::clicked, this, &ParametersWindow::cellClicked);
    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, &ParametersWindow::headerClicked);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](QPoint p) {
        if (std::unique_ptr<QMenu> m = menuAt(p)) m->exec(view_->viewport()->mapToGlobal(p));
    });

    auto* row = new QHBoxLayout;
    calculate_ = new QPushButton(uiText(text::Calculate), this);
    settings_ = new QPushButton(uiText(text::CalcSettings), this);
    addParameter_ = new QPushButton(uiText(text::AddParameter), this);
    scanning_ = new QCheckBox(uiText(text::Scanning), this);
    for (QPushButton* b : {calculate_, settings_, addParameter_}) b->setAutoDefault(false);
    row->addWidget(addParameter_);
    row->addWidget(calculate_);
    row->addWidget(settings_);
    row->addStretch();
    row->addWidget(scanning_);
    layout->addLayout(row);
    connect(calculate_, &QPushButton::clicked, this, &ParametersWindow::calculate);
    connect(settings_, &QPushButton::clicked, this, &ParametersWindow::openSettings);
    connect(addParameter_, &QPushButton::clicked, this, &ParametersWindow::addParameter);
    connect(scanning_, &QCheckBox::clicked, this, [this](bool on) {
        if (!file()) return;
        if (Status st = this->session().controller().setScanning(on); !st)
            this->session().prompts().showMessage(st.error());
    });
    resize(460, 320);
    refresh();
}

const CalcFile* ParametersWindow::file() { return session().currentFile(); }

void ParametersWindow::refresh() {
    const CalcFile* f = file();
    for (QWidget* w : std::initializer_list<QWidget*>{calculate_, settings_, scanning_, view_}) w->setEnabled(f != nullptr);
    scanning_->setChecked(f && f->settings.scanning);
    addParameter_->setVisible(f && f->entries.empty());
    // The row the user works on stays highlighted over the reload.
    const int row = std::max(0, view_->currentIndex().row());
    model_->reload();
    if (row >= 0 && row < model_->rowCount()) view_->selectRow(row);
}

void ParametersWindow::report(const Status& status) {
    // A question answered with No (msg::Cancelled) is no failure to report.
    if (!status && status.error().id != msg::Cancelled) session().prompts().showMessage(status.error());
}

void ParametersWindow::cellClicked(const QModelIndex& index) {
    const CalcFile* f = file();
    if (!f || !index.isValid() || index.column() == kSourceColumn) return;
    report(session().controller().toggleParameterFlag(static_cast<std::size_t>(index.row()), index.column()));
}

void ParametersWindow::headerClicked(int column) {
    const CalcFile* f = file();
    if (!f || (column != kPercentileColumn && column != kHistogramColumn)) return;
    HistogramSettingsDialog dialog(f->settings.histogram, session().prompts(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const HistogramSettings h = dialog.settings();
    report(session().controller().setHistogramSettings(h));
}

std::unique_ptr<QMenu> ParametersWindow::menuAt(QPoint position) {
    const CalcFile* f = file();
    if (!f) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(uiText(text::AddParameter), this, &ParametersWindow::addParameter);
    const QModelIndex index = view_->indexAt(position);
    if (index.isValid() && index.row() < static_cast<int>(f->entries.size())) {
        const auto row = static_cast<std::size_t>(index.row());
        view_->selectRow(index.row());
        menu->addAction(uiText(text::RemoveParameter), this, [this, row] { removeParameter(row); });
        menu->addAction(uiText(text::ChangeColour), this, [this, row] { changeColour(row); });
        menu->addAction(uiText(text::RenameParameter), this, [this, row] { rename(row); });
        menu->addSeparator();
        const FieldCode code = f->entries[row].code;
        menu->addAction(uiText(text::ShowPeriodsAndEvents), this, [this, code] { emit periodsRequested(code); });
    }
    return menu;
}

void ParametersWindow::addParameter() {
    const CalcFile* f = file();
    if (!f) return;
    ChooserRequest request;
    request.sources.push_back({QString::fromStdString(std::filesystem::path(f->file.path).filename().string()),
                               model_->naming(), f->settings.histogramMode});
    ParameterChooserDialog chooser(request, session().settings(), this);
    if (chooser.exec() != QDialog::Accepted || !chooser.hasChoice()) return;
    const ParameterEntry entry = chooser.choice().entry;
    report(session().controller().addParameterEntry(entry));
}

void ParametersWindow::removeParameter(std::size_t row) {
    report(session().controller().removeParameterEntry(row));
}

void ParametersWindow::changeColour(std::size_t row) {
    const CalcFile* f = file();
    if (!f || row >= f->entries.size()) return;
    const auto& custom = session().state().customColours;
    for (std::size_t i = 0; i < custom.size(); ++i) QColorDialog::setCustomColor(static_cast<int>(i), toColor(custom[i]));
    const QColor chosen = QColorDialog::getColor(toColor(f->entries[row].colour), this);
    if (!chosen.isValid()) return;
    std::array<std::uint32_t, 16> kept{};
    for (std::size_t i = 0; i < kept.size(); ++i) kept[i] = fromColor(QColorDialog::customColor(static_cast<int>(i)));
    const std::uint32_t colour = fromColor(chosen);
    report(session().controller().setParameterColour(row, colour));
    if (kept != custom) report(session().controller().setCustomColours(kept));
}

void ParametersWindow::rename(std::size_t row) {
    const CalcFile* f = file();
    if (!f || row >= f->entries.size()) return;
    const std::optional<QString> name =
        session().prompts().askText(uiText(text::ParameterName), QString::fromStdString(entryDisplayName(f->entries[row], model_->naming())));
    if (!name) return;
    const std::string text = name->toStdString();
    report(session().controller().setParameterName(row, text));
}

void ParametersWindow::calculate() {
    if (!file()) return;
    // Settings the calculation refuses compute nothing: that refusal is all it says.
    const bool computes = static_cast<bool>(checkCalcSettings(file()->settings));
    const CalcReport report = session().controller().calculateCurrentFile();
    model_->reload();
    if (computes && !report.cancelled)
        session().announce(
            messageText(Message(text::CalculationFinished, fromQt(QDir::toNativeSeparators(session().localWorkingFolder())))));
}

void ParametersWindow::openSettings() {
    const CalcFile* f = file();
    if (!f) return;
    const ProjectState& p = session().state();
    CalcOptions o;
    o.scanInterval = f->settings.scanInterval;
    o.scanStep = f->settings.scanStep;
    o.grouped = p.groupByParameter;
    o.includeExclusionsUncorrected = p.includeExclusionsUncorrected;
    o.noLeqTime = p.noLeqTime;
    o.csv = p.csvResults;
    o.singleFile = p.singleResultFile;
    CalcSettingsDialog dialog(o, session().prompts(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const CalcOptions n = dialog.options();
    DocumentController::CalculationOptions options;
    options.scanInterval = n.scanInterval;
    options.scanStep = n.scanStep;
    options.grouped = n.grouped;
    options.includeExclusionsUncorrected = n.includeExclusionsUncorrected;
    options.noLeqTime = n.noLeqTime;
    options.csv = n.csv;
    options.singleFile = n.singleFile;
    report(session().controller().setCalculationOptions(options));
}

}  // namespace phonotab
