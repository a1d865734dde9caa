#include "gui/periods/PeriodsWindow.h"

#include <QClipboard>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QVBoxLayout>

#include <cmath>
#include <filesystem>

#include "core/acoustics/IndicatorTables.h"
#include "core/acoustics/ParameterTable.h"
#include "core/base/CFormat.h"
#include "core/platform/AtomicFile.h"
#include "gui/base/LongTask.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "gui/periods/TextTableModel.h"
#include "gui/plotwindows/BarChartWidget.h"

namespace phonotab {

namespace {

const QString kPeriodsWindowSection = QStringLiteral("PeriodsDlg");

// The entry of the current file with the code (an entry or one of its further bands).
const ParameterEntry* entryWithCode(const CalcFile& f, FieldCode code) {
    for (const ParameterEntry& e : f.entries) {
        if (e.code == code) return &e;
        for (const ParameterEntry& s : e.subEntries)
            if (s.code == code) return &s;
    }
    return nullptr;
}

QDoubleSpinBox* numberBox(QWidget* parent, double low, double high, int decimals) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setDecimals(decimals);
    return box;
}

double storedNumber(SettingsStore& settings, const QString& key, double fallback) {
    double v = fallback;
    const std::string text = settings.text(kPeriodsWindowSection, key).toStdString();
    const char* end = nullptr;
    if (text.empty() || !scanLg(text.c_str(), v, &end) || *end != '\0' || !std::isfinite(v)) return fallback;
    return v;
}

}  // namespace

PeriodsWindow::PeriodsWindow(ProjectSession& session, FieldCode code, QWidget* parent)
    : ChildWindow(session, WindowKind::Other, uiText(text::PeriodsAndEvents), kPeriodsWindowSection, parent),
      code_(code) {
    auto* layout = new QVBoxLayout(this);
    parameter_ = new QLabel(this);
    layout->addWidget(parameter_);

    auto* form = new QHBoxLayout;
    form->addWidget(new QLabel(uiText(text::PeriodSchemeLabel), this));
    scheme_ = new QComboBox(this);
    for (const std::string& name : builtInSchemeNames()) {
        PeriodScheme s;
        builtInScheme(name, s);
        scheme_->addItem(QString::fromStdString(name + " (" + s.levelName + ")"), QString::fromStdString(name));
    }
    scheme_->addItem(uiText(text::SchemeFromFile));
    form->addWidget(scheme_);
    form->addSpacing(12);
    form->addWidget(new QLabel(uiText(text::ExposureTimeLabel), this));
    exposureHours_ = numberBox(this, 0.0, kMaxExposureHours, 2);
    form->addWidget(exposureHours_);
    form->addStretch();
    layout->addLayout(form);

    auto* eventsRow = new QHBoxLayout;
    findEvents_ = new QCheckBox(uiText(text::FindEvents), this);
    eventsRow->addWidget(findEvents_);
    threshold_ = numberBox(this, -100.0, 250.0, 1);
    minDuration_ = numberBox(this, 0.0, 86400.0, 1);
    mergeGap_ = numberBox(this, 0.0, 86400.0, 1);
    for (auto [label, box] : {std::pair{text::EventThreshold, threshold_}, std::pair{text::EventMinDuration, minDuration_},
                              std::pair{text::EventMergeGap, mergeGap_}}) {
        eventsRow->addWidget(new QLabel(uiText(label), this));
        eventsRow->addWidget(box);
    }
    eventsRow->addStretch();
    layout->addLayout(eventsRow);

    auto* buttons = new QHBoxLayout;
    calculate_ = new QPushButton(uiText(text::Calculate), this);
    copy_ = new QPushButton(uiText(text::CopyAsText), this);
    export_ = new QPushButton(uiText(text::ExportCsv), this);
    for (QPushButton* b : {calculate_, copy_, export_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    shade_ = new QCheckBox(uiText(text::ShadeNightsAndEvents), this);
    buttons->addWidget(shade_);
    connect(shade_, &QCheckBox::toggled, this, [this] { emit spansToShade(spansInPlot()); });
    buttons->addStretch();
    layout->addLayout(buttons);

    tabs_ = new QTabWidget(this);
    auto addView = [&](QWidget* owner) {
        auto* model = new TextTableModel(this);
        auto* view = new QTableView(owner);
        view->setModel(model);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->verticalHeader()->hide();
        view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        models_.push_back(model);
        return view;
    };
    tabs_->addTab(addView(tabs_), uiText(text::PeriodsTab));
    tabs_->addTab(addView(tabs_), uiText(text::DaysTab));
    QTableView* events = addView(tabs_);
    connect(events, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { showEventInPlot(index.row()); });
    tabs_->addTab(events, uiText(text::EventsTab));
    auto* hours = new QSplitter(Qt::Vertical, tabs_);
    chart_ = new BarChartWidget(hours);
    chart_->setMinimumHeight(160);
    hours->addWidget(chart_);
    hours->addWidget(addView(hours));
    hours->setSizes({300, 200});
    tabs_->addTab(hours, uiText(text::HourlyTab));
    layout->addWidget(tabs_, 1);
    summary_ = new QLabel(this);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);

    // The settings of the last use.
    SettingsStore& settings = this->session().settings();
    const QString stored = settings.text(kPeriodsWindowSection, QStringLiteral("Scheme"), QStringLiteral("eu"));
    int index = scheme_->findData(stored);
    if (index < 0 && QFileInfo::exists(stored)) {
        scheme_->insertItem(scheme_->count() - 1, QFileInfo(stored).fileName(), stored);
        index = scheme_->count() - 2;
    }
    scheme_->setCurrentIndex(index < 0 ? 1 : index);
    lastScheme_ = scheme_->currentIndex();
    findEvents_->setChecked(settings.integer(kPeriodsWindowSection, QStringLiteral("Events"), 1) != 0);
    threshold_->setValue(storedNumber(settings, QStringLiteral("Threshold"), 70.0));
    minDuration_->setValue(storedNumber(settings, QStringLiteral("MinDuration"), 5.0));
    mergeGap_->setValue(storedNumber(settings, QStringLiteral("MergeGap"), 3.0));
    exposureHours_->setValue(storedNumber(settings, QStringLiteral("Te"), 0.0));

    connect(scheme_, &QComboBox::activated, this, &PeriodsWindow::schemeChosen);
    connect(calculate_, &QPushButton::clicked, this, [this] { calculate(); });
    connect(copy_, &QPushButton::clicked, this, &PeriodsWindow::copyTable);
    connect(export_, &QPushButton::clicked, this, &PeriodsWindow::exportCsv);
    if (!hasOwnPlacement()) resize(900, 560);
    clearResults();
}

QString PeriodsWindow::parameterCaption() {
    const CalcFile* f = session().currentFile();
    const ParameterEntry* e = f ? entryWithCode(*f, code_) : nullptr;
    if (!e) return uiText(text::ChooseParameterFirst);
    const NamingContext naming{&session().teleDescription(), &f->file.layout, &f->file.header};
    const QString name = toQt(entryDisplayName(*e, naming));
    return toQt(formatWithArgs(phonotab::tr(text::IndicatorsOfParameter), {fromQt(name)})) + "  —  " +
           toQt(std::filesystem::path(f->file.path).filename().string());
}

void PeriodsWindow::schemeChosen(int index) {
    if (index != scheme_->count() - 1) {
        lastScheme_ = index;
        return;
    }
    // "Из файла...": a user's scheme, read and checked before it is offered.
    const QString path = session().prompts().openFilePath(uiText(text::PeriodSchemeLabel), uiText(text::SchemeFileFilter),
                                                          session().localWorkingFolder());
    if (path.isEmpty()) {
        scheme_->setCurrentIndex(lastScheme_);
        return;
    }
    const Result<PeriodScheme> read = readPeriodScheme(fromQt(path));
    if (!read) {
        session().prompts().showMessage(read.error());
        scheme_->setCurrentIndex(lastScheme_);
        return;
    }
    int at = scheme_->findData(path);
    if (at < 0) {
        at = scheme_->count() - 1;
        scheme_->insertItem(at, QFileInfo(path).fileName(), path);
    }
    scheme_->setCurrentIndex(at);
    lastScheme_ = at;
}

bool PeriodsWindow::currentScheme(PeriodScheme& out) {
    const QString key = scheme_->currentData().toString();
    Result<PeriodScheme> s = schemeByNameOrFile(fromQt(key));
    if (!s) {
        session().prompts().showMessage(s.error());
        return false;
    }
    out = std::move(*s);
    return true;
}

bool PeriodsWindow::calculate() {
    const CalcFile* f = session().currentFile();
    if (!f || !entryWithCode(*f, code_)) {
        session().prompts().showMessage(uiText(text::ChooseParameterFirst));
        return false;
    }
    IndicatorSettings settings;
    if (!currentScheme(settings.scheme)) return false;
    settings.findEvents = findEvents_->isChecked();
    settings.events = {threshold_->value(), minDuration_->value(), mergeGap_->value()};
    settings.exposureHours = exposureHours_->value();
    storeSettings();
    if (!entryWithCode(*f, code_)->loaded) {
        // The series are read as for the plots, with progress.
        if (Status st = session().controller().loadPlotSeries(); !st) {
            if (st.error().id != msg::Cancelled) session().prompts().showMessage(st.error());
            return false;
        }
        f = session().currentFile();
    }
    const ParameterEntry* entry = f ? entryWithCode(*f, code_) : nullptr;
    if (!entry) return false;
    settings.parameterName = entryDisplayName(*entry, {&session().teleDescription(), &f->file.layout, &f->file.header});
    std::optional<Result<PeriodIndicators>> computed;
    runLongTask(this, uiText(text::ComputingIndicators), [&](const Progress& progress) {
        computed.emplace(computePeriodIndicators(*f, *entry, settings, progress));
    });
    if (!computed || !*computed) {
        if (computed && computed->error().id != msg::Cancelled) session().prompts().showMessage(computed->error());
        clearResults();
        return false;
    }
    results_ = std::move(**computed);
    showResults();
    if (shade_->isChecked()) emit spansToShade(spansInPlot());
    return true;
}

void PeriodsWindow::showResults() {
    parameter_->setText(parameterCaption());
    if (!results_) return;
    const PeriodIndicators& r = *results_;
    models_[PeriodsTab]->setTable(periodTable(r));
    models_[DaysTab]->setTable(dayTable(r));
    models_[EventsTab]->setTable(eventTable(r));
    models_[HoursTab]->setTable(hourTable(r));
    tabs_->setTabEnabled(EventsTab, r.eventsSearched);
    BarChartInput chart;
    chart.title = phonotab::tr(text::HourlyLeqTitle);
    chart.barColour = rgbWord(40, 110, 190);
    chart.labelDigits = 3;
    const std::vector<HourOfDayLevel> profile = hourOfDayProfile(r);
    for (std::size_t h = 0; h < profile.size(); ++h) {
        chart.captions.push_back(cformat("%02zu", h));
        chart.values.push_back(profile[h].samples > 0 ? profile[h].leq : 0.0);
    }
    chart_->setChart(std::move(chart), "Leq");
    QStringList lines;
    for (const std::string& line : indicatorSummaryLines(r)) lines << toQt(line);
    summary_->setText(lines.join('\n'));
    for (QPushButton* b : {copy_, export_}) b->setEnabled(true);
}

void PeriodsWindow::clearResults() {
    const bool shaded = results_ && shade_->isChecked();
    results_.reset();
    if (shaded) emit spansToShade({});
    for (TextTableModel* m : models_) m->setTable({});
    chart_->setChart({}, {});
    summary_->clear();
    parameter_->setText(parameterCaption());
    const bool canCompute = session().currentFile() && entryWithCode(*session().currentFile(), code_);
    calculate_->setEnabled(canCompute);
    for (QPushButton* b : {copy_, export_}) b->setEnabled(false);
}

void PeriodsWindow::showEventInPlot(int row) {
    const CalcFile* f = session().currentFile();
    if (!results_ || !f || row < 0 || row >= static_cast<int>(results_->events.size())) return;
    const LevelEvent& e = results_->events[static_cast<std::size_t>(row)];
    const double origin = static_cast<double>(toCivilSeconds(f->file.startTime));
    emit eventChosen(e.start - origin, e.end - origin);
}

std::vector<ShadedSpan> PeriodsWindow::spansInPlot() const {
    const CalcFile* f = const_cast<PeriodsWindow*>(this)->session().currentFile();
    std::vector<ShadedSpan> spans;
    if (!results_ || !f || !shade_->isChecked()) return spans;
    const double origin = static_cast<double>(toCivilSeconds(f->file.startTime));
    // Nights pale blue, events pale orange over them (colours as 0x00BBGGRR).
    const std::size_t night = results_->scheme.midnightPeriod();
    for (const PeriodRow& p : results_->periods)
        if (p.period == night) spans.push_back({p.begin - origin, p.end - origin, 0xF0DCC8u});
    for (const LevelEvent& e : results_->events) spans.push_back({e.start - origin, e.end - origin, 0x9CD2FFu});
    return spans;
}

void PeriodsWindow::copyTable() {
    if (!results_) return;
    const int tab = std::clamp(tabs_->currentIndex(), 0, static_cast<int>(models_.size()) - 1);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(toQt(tableAsTabText(models_[static_cast<std::size_t>(tab)]->table())));
}

void PeriodsWindow::exportCsv() {
    if (!results_) return;
    const CalcFile* f = session().currentFile();
    const QString suggested = f ? toQt(std::filesystem::path(f->file.path).stem().string()) + "_periods.csv" : QString();
    const QString path =
        session().prompts().saveFilePath(uiText(text::ExportCsv), uiText(text::CsvFilter),
                                         session().localWorkingFolder() + suggested, QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const std::string bytes = tablesAsCsv(indicatorTables(*results_), indicatorSummaryLines(*results_));
    if (Status st = writeFileAtomically(fromQt(path), bytes); !st) {
        session().prompts().showMessage(st.error());
        return;
    }
    session().prompts().showMessage(Message(msg::TablesWritten, fromQt(path)));
}

void PeriodsWindow::storeSettings() {
    SettingsStore& settings = session().settings();
    settings.setText(kPeriodsWindowSection, QStringLiteral("Scheme"), scheme_->currentData().toString());
    settings.setInteger(kPeriodsWindowSection, QStringLiteral("Events"), findEvents_->isChecked() ? 1 : 0);
    settings.setText(kPeriodsWindowSection, QStringLiteral("Threshold"), toQt(formatLg(threshold_->value())));
    settings.setText(kPeriodsWindowSection, QStringLiteral("MinDuration"), toQt(formatLg(minDuration_->value())));
    settings.setText(kPeriodsWindowSection, QStringLiteral("MergeGap"), toQt(formatLg(mergeGap_->value())));
    settings.setText(kPeriodsWindowSection, QStringLiteral("Te"), toQt(formatLg(exposureHours_->value())));
}

void PeriodsWindow::closeEvent(QCloseEvent* event) {
    storeSettings();
    ChildWindow::closeEvent(event);
}

}  // namespace phonotab
