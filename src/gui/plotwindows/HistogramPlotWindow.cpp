#include "gui/plotwindows/HistogramPlotWindow.h"

#include <QColorDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

#include "core/acoustics/ParameterName.h"
#include "core/plots/BarChartFigure.h"
#include "core/plots/TimePlotReadout.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"
#include "core/base/MessageIds.h"
#include "gui/plotwindows/PlotWindowParts.h"
#include "render/plots/ScenePainter.h"

namespace phonotab {

HistogramPlotWindow::HistogramPlotWindow(ProjectSession& session, QWidget* parent)
    : ChildWindow(session, WindowKind::HistogramPlot, uiText(text::HistogramPlotTitle), QStringLiteral("HistoDlg"), parent),
      kind_(Kind::CurrentFile) {
    build();
    reload();
}

HistogramPlotWindow::HistogramPlotWindow(ProjectSession& session, const HistogramFile& file, QWidget* parent)
    : ChildWindow(session, WindowKind::HistogramPlot, uiText(text::HistogramPlotTitle), QString(), parent),
      kind_(Kind::HistogramFile),
      file_(file) {
    HistogramPlotWindowState s;
    for (const auto& [name, values] : file.series) s.histograms.push_back(values);
    state_ = s;
    histograms_ = file.series;
    build();
    rebuild();
}

HistogramPlotWindow::HistogramPlotWindow(ProjectSession& session, BarChartInput chart, QWidget* parent,
                                         std::vector<std::string> seriesNames)
    : ChildWindow(session, WindowKind::HistogramPlot, uiText(text::HistogramPlotTitle), QString(), parent),
      kind_(Kind::TableGraph),
      table_(std::move(chart)),
      seriesNames_(std::move(seriesNames)) {
    build();
    rebuild();
}

void HistogramPlotWindow::build() {
    makeDocumentWindow();
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    auto* left = new QVBoxLayout;
    chart_ = new BarChartWidget(this);
    left->addWidget(chart_, 1);
    readout_ = new QLabel(this);
    // The reading under the chart is the cursor's: shown when the plots' legend setting shows the cursor.
    const int legendMask = session().settings().integer(QStringLiteral("Plot"), QStringLiteral("LegendD"), 3);
    readout_->setVisible((static_cast<std::uint32_t>(legendMask) & (legend::kCursorX | legend::kCursorY)) != 0);
    left->addWidget(readout_);
    layout->addLayout(left, 1);
    connect(chart_, &BarChartWidget::readoutChanged, readout_, &QLabel::setText);

    auto* buttons = new QVBoxLayout;
    settings_ = new QPushButton(uiText(text::HistogramPlotSettings), this);
    bitmap_ = new QPushButton(uiText(text::SaveAsBitmap), this);
    vector_ = new QPushButton(uiText(text::SaveAsVector), this);
    for (QPushButton* b : {settings_, bitmap_, vector_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    chooser_ = new QSpinBox(this);
    chooser_->setVisible(kind_ == Kind::HistogramFile && histograms_.size() >= 2);
    chooser_->setRange(1, std::max<int>(1, static_cast<int>(histograms_.size())));
    buttons->addWidget(chooser_);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(chooser_, &QSpinBox::valueChanged, this, [this](int v) {
        current_ = v - 1;
        rebuild();
    });
    connect(settings_, &QPushButton::clicked, this, [this] {
        settingsMenu()->exec(settings_->mapToGlobal(QPoint(0, settings_->height())));
    });
    connect(bitmap_, &QPushButton::clicked, this, [this] {
        Result<QString> r = saveFigureBitmapAs(figure(), session().prompts(), session().localWorkingFolder());
        if (!r) session().prompts().showMessage(r.error());
    });
    connect(vector_, &QPushButton::clicked, this, &HistogramPlotWindow::exportVector);
    if (!hasOwnPlacement()) resize(760, 420);
}

void HistogramPlotWindow::exportVector() {
    const Result<QString> r = saveFigureSvgAs(figure(), session().prompts(), session().localWorkingFolder(),
                                              QStringLiteral("histogram.svg"));
    if (!r) session().prompts().showMessage(r.error());
}

PlotFigure HistogramPlotWindow::figure() const {
    return buildBarChartFigure(chart_->chart(), kind_ == Kind::TableGraph ? seriesNames_ : std::vector<std::string>(),
                               figure::unitsOfCm(figure::kWidthCm), figure::unitsOfCm(figure::kHeightCm),
                               figureMetrics());
}

void HistogramPlotWindow::reload() {
    if (kind_ != Kind::CurrentFile) return;
    const CalcFile* f = session().currentFile();
    histograms_.clear();
    if (f && !loading_) {
        bool missing = false;
        for (const ParameterEntry& e : f->entries)
            missing |= parameterKind(e.code) == ParameterKind::StoredHistogram && !e.loaded;
        if (missing) {
            loading_ = true;
            Status st = session().controller().loadPlotSeries();
            loading_ = false;
            if (!st && st.error().id != msg::Cancelled) session().prompts().showMessage(st.error());
        }
        const NamingContext naming{&session().teleDescription(), &f->file.layout, &f->file.header};
        for (const ParameterEntry& e : f->entries) {
            if (parameterKind(e.code) != ParameterKind::StoredHistogram || e.data.empty()) continue;
            const std::string name = e.displayName.empty() ? ParameterName(e.code, naming).name : e.displayName;
            histograms_.emplace_back(name, std::vector<double>(e.data.begin(), e.data.end()));
        }
    }
    current_ = std::clamp(current_, 0, std::max(0, static_cast<int>(histograms_.size()) - 1));
    rebuild();
}

void HistogramPlotWindow::rebuild() {
    if (kind_ == Kind::TableGraph) {
        chart_->setChart(table_, std::string());
        return;
    }
    BarChartInput in;
    std::string name;
    if (current_ >= 0 && current_ < static_cast<int>(histograms_.size())) {
        const auto& [n, counts] = histograms_[static_cast<std::size_t>(current_)];
        name = n;
        if (kind_ == Kind::CurrentFile) {
            in.captions = histogramCaptions(mode_, step_);
            in.values = histogramValues(counts, mode_, step_);
            if (in.values.empty()) in.captions.clear();  // no counts: an empty chart
        } else {
            in.values = classColumnValues(counts, mode_);
            in.captions = histogramClassLabels(*file_, counts.size());
        }
        // The level axis spans the classes that hold counts, not 0 to 256 dB.
        if (mode_ != HistogramDisplay::Percentiles) fitToOccupiedColumns(in);
    }
    // Titled with the histogram's name and both axes with their units.
    in.title = name;
    const bool percentiles = mode_ == HistogramDisplay::Percentiles;
    in.captionTitle = fromQt(uiText(percentiles ? text::PercentileAxisTitle : text::LevelColumn));
    switch (mode_) {
        case HistogramDisplay::Counts: in.valueTitle = fromQt(uiText(text::CountAxisTitle)); break;
        case HistogramDisplay::Percent: in.valueTitle = fromQt(uiText(text::PercentAxisTitle)); break;
        case HistogramDisplay::Normalised: in.valueTitle = fromQt(uiText(text::NormalisedAxisTitle)); break;
        case HistogramDisplay::Percentiles: in.valueTitle = fromQt(uiText(text::LevelColumn)); break;
    }
    in.barColour = colour_;
    chart_->setChart(std::move(in), name);
}

std::unique_ptr<QMenu> HistogramPlotWindow::settingsMenu() {
    auto menu = std::make_unique<QMenu>(this);
    if (kind_ == Kind::TableGraph) {
        menu->addAction(uiText(text::SetBackgroundColour), this, [this] {
            const QColor c = QColorDialog::getColor(Qt::white, this);
            if (!c.isValid()) return;
            table_.background = rgbWord(c.red(), c.green(), c.blue());
            rebuild();
        });
        return menu;
    }
    std::vector<std::pair<text::Id, HistogramDisplay>> modes = {
        {text::ShowCounts, HistogramDisplay::Counts}, {text::ShowPercent, HistogramDisplay::Percent},
        {text::NormaliseToMaximum, HistogramDisplay::Normalised}};
    if (kind_ == Kind::CurrentFile) modes.emplace_back(text::ShowPercentiles, HistogramDisplay::Percentiles);
    for (const auto& [text, mode] : modes) {
        QAction* a = menu->addAction(uiText(text));
        a->setCheckable(true);
        a->setChecked(mode == mode_);
        const HistogramDisplay m = mode;
        connect(a, &QAction::triggered, this, [this, m] {
            mode_ = m;
            rebuild();
        });
    }
    menu->addSeparator();
    if (kind_ == Kind::HistogramFile) {
        menu->addAction(uiText(text::SetBarColour), this, [this] {
            const QColor c = QColorDialog::getColor(toQColor(colour_), this);
            if (!c.isValid()) return;
            colour_ = rgbWord(c.red(), c.green(), c.blue());
            rebuild();
        });
    } else {
        const bool percent = mode_ == HistogramDisplay::Percentiles;
        const std::string text = cformat(phonotab::tr(percent ? text::StepInPercent : text::StepInDb).c_str(), step_ * kHistogramBinWidth);
        menu->addAction(QString::fromStdString(text), this, &HistogramPlotWindow::askStep);
    }
    return menu;
}

void HistogramPlotWindow::askStep() {
    const bool percent = mode_ == HistogramDisplay::Percentiles;
    const std::optional<QString> text = session().prompts().askText(
        uiText(percent ? text::AskStepInPercent : text::AskStepInDb), QString::fromStdString(cformat("%lg", step_ * kHistogramBinWidth)));
    if (!text) return;
    const Result<double> typed = readTypedNumber(text->toStdString());
    if (!typed) {
        session().prompts().showMessage(typed.error());
        return;
    }
    // The step is how the window shows the histogram; the project does not
    // store it, so the project is not modified by it.
    step_ = histogramStepFromValue(*typed);
    rebuild();
}

}  // namespace phonotab
