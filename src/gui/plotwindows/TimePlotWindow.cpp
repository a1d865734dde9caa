#include "gui/plotwindows/TimePlotWindow.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "core/acoustics/ParameterName.h"
#include "core/acoustics/TimeBar.h"
#include "core/plots/ExportName.h"
#include "core/plots/PaneFigure.h"
#include "core/plots/TimeAxis.h"
#include "gui/base/EditHistoryActions.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/base/MessageIds.h"
#include "gui/plotwindows/PlotWindowParts.h"
#include "core/plots/TimePlotReadout.h"

namespace phonotab {

namespace {
const QString kTimePlotWindowSection = QStringLiteral("Diagram");
const QString kLegendKey = QStringLiteral("LegendD");
const QString kRelativeKey = QStringLiteral("bATime");
constexpr int kPane = 0;

// The time axis caption of a unit in the interface language ("с", "мин", "ч").
std::string timeUnitCaption(TimeUnit unit) {
    switch (unit) {
        case TimeUnit::Minutes: return fromQt(uiText(text::MinutesCaption));
        case TimeUnit::Hours: return fromQt(uiText(text::HoursCaption));
        default: return fromQt(uiText(text::SecondsCaption));
    }
}

// The legend menu's items: text and mask bit, in menu order.
struct LegendItem {
    text::Id text;
    std::uint32_t bit;
};
constexpr LegendItem kLegendItems[] = {
    {text::LegendCursorX, legend::kCursorX},   {text::LegendFromMarkerX, legend::kFromMarkerX},
    {text::LegendCursorY, legend::kCursorY},   {text::LegendFromMarkerY, legend::kFromMarkerY},
    {text::LegendPoints, legend::kPoints},     {text::LegendMarker1X, legend::kMarker1X},
    {text::LegendMarker1Y, legend::kMarker1Y}, {text::LegendMarker2X, legend::kMarker2X},
    {text::LegendMarker2Y, legend::kMarker2Y}, {text::LegendClockTimes, legend::kClockTimes}};
}  // namespace

TimePlotWindow::TimePlotWindow(ProjectSession& session, QWidget* parent)
    : ChildWindow(session, WindowKind::TimePlot, uiText(text::Plot), QStringLiteral("PlotDlg"), parent),
      zones_(session, this) {
    makeDocumentWindow();
    addEditHistoryActions(this, session);
    mask_ = static_cast<std::uint32_t>(session.settings().integer(kTimePlotWindowSection, kLegendKey, 3));
    relative_ = session.settings().integer(kTimePlotWindowSection, kRelativeKey, 0) != 0;
    yCaption_ = fromQt(uiText(text::DecibelCaption));
    if (relative_) xCaption_ = timeUnitCaption(unit_);

    auto* layout = new QHBoxLayout(this);
    // A stored placement is taken as it is, however small.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    auto* left = new QVBoxLayout;
    graph_ = new GraphWindow(this);
    graph_->addPane(kPane).setFlags(paneflag::kAskFileName | paneflag::kExportColours);
    graph_->setFileChooser([this](const QString& filter, const QString& suggested) {
        return this->session().prompts().saveFilePath(uiText(text::SaveGraphAsVector), filter, suggested, QFileInfo(suggested).suffix());
    });
    graph_->setMessageSink([this](const Message& m) { this->session().prompts().showMessage(m); });
    graph_->setContextMenuPolicy(Qt::CustomContextMenu);
    graph_->installEventFilter(this);
    graph_->setMouseTracking(true);
    connect(graph_, &QWidget::customContextMenuRequested, this, [this](QPoint p) {
        if (std::unique_ptr<QMenu> m = menuAt(p)) m->exec(graph_->mapToGlobal(p));
    });
    connect(graph_, &GraphWindow::markersChanged, this, [this] { updateReadout(); });
    // A zoom by the wheel or the keys changes the points shown before the mouse moves.
    connect(graph_, &GraphWindow::visibleRangeChanged, this, [this] { updateReadout(); });
    left->addWidget(graph_, 1);
    readout_ = new QLabel(this);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    left->addWidget(readout_);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    legend_ = new QPushButton(uiText(text::Legend), this);
    bitmap_ = new QPushButton(uiText(text::SaveAsBitmap), this);
    vector_ = new QPushButton(uiText(text::SaveAsVector), this);
    properties_ = new QPushButton(uiText(text::PlotProperties), this);
    for (QPushButton* b : {legend_, bitmap_, vector_, properties_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(legend_, &QPushButton::clicked, this, [this] {
        legendMenu()->exec(legend_->mapToGlobal(QPoint(0, legend_->height())));
    });
    connect(properties_, &QPushButton::clicked, this, [this] {
        propertiesMenu()->exec(properties_->mapToGlobal(QPoint(0, properties_->height())));
    });
    connect(bitmap_, &QPushButton::clicked, this, [this] {
        Result<QString> r = saveFigureBitmapAs(figure(), this->session().prompts(), this->session().localWorkingFolder());
        if (!r) this->session().prompts().showMessage(r.error());
    });
    connect(vector_, &QPushButton::clicked, this, [this] {
        const QString folder = this->session().localWorkingFolder();
        const QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
        const QDateTime now = QDateTime::currentDateTime();
        const CalendarTime clock{now.date().year(), now.date().month(), now.date().day(),
                                 now.time().hour(), now.time().minute(), now.time().second()};
        const std::string name = automaticExportName(clock, "svg", [&](const std::string& n) {
            return QFileInfo::exists(dir.filePath(QString::fromStdString(n)));
        });
        Result<QString> r = saveFigureSvgAs(figure(), this->session().prompts(), folder, QString::fromStdString(name));
        if (!r) this->session().prompts().showMessage(r.error());
    });
    if (!hasOwnPlacement()) resize(900, 520);
    reload();
}

TimePlotWindow::~TimePlotWindow() = default;

const CalcFile* TimePlotWindow::file() const { return const_cast<TimePlotWindow*>(this)->session().currentFile(); }

void TimePlotWindow::reload() {
    const CalcFile* f = file();
    if (f && !loading_) {
        bool missing = false;
        for (const ParameterEntry& e : f->entries)
            if (e.flags.plot && !e.loaded && parameterKind(e.code) != ParameterKind::StoredHistogram)
                missing = true;
        if (missing) {
            loading_ = true;
            // The content views the series: none may be shown while they load.
            graph_->paneSet().clearContent();
            freshFile_ = true;
            Status st = session().controller().loadPlotSeries();
            loading_ = false;
            if (!st && st.error().id != msg::Cancelled) session().prompts().showMessage(st.error());
        }
    }
    rebuild();
}

void TimePlotWindow::rebuild() {
    const CalcFile* f = file();
    if (!f) {
        content_ = {};
        freshFile_ = true;
        graph_->paneSet().clearContent();
        graph_->invalidate();
        updateReadout();
        return;
    }
    const double oldUnit = content_.unit;
    const TimePlotContent shown = std::move(content_);
    content_ = buildTimePlotContent(*f, {unit_, relative_}, freshFile_ ? nullptr : &shown);
    // A zone edit keeps the curves (and their min/max pyramids) of the same file.
    applyTimePlotContent(content_, graph_->paneSet(), kPane, freshFile_ ? nullptr : &shown);
    freshFile_ = false;
    // Markers keep their times when the axis changes its unit.
    GraphPane& pane = *graph_->paneSet().pane(kPane);
    if (oldUnit != content_.unit && oldUnit > 0)
        for (int which : {1, 2})
            if (pane.markerSet(which))
                pane.setMarker(which, {pane.marker(which).x * oldUnit / content_.unit, pane.marker(which).y});
    graph_->paneSet().pane(kPane)->setTitles(std::string(), xCaption_, yCaption_);
    applyShadedSpans();
    graph_->invalidate();
    updateReadout();
}

void TimePlotWindow::shadeSpans(std::vector<ShadedSpan> secondsSpans) {
    shadedSeconds_ = std::move(secondsSpans);
    shadedFile_ = file() ? file()->file.path : std::string();
    applyShadedSpans();
    graph_->invalidate();
}

void TimePlotWindow::applyShadedSpans() {
    GraphPane* pane = graph_->paneSet().pane(kPane);
    if (!pane) return;
    std::vector<ShadedSpan> spans;
    if (file() && file()->file.path == shadedFile_)
        for (const ShadedSpan& s : shadedSeconds_)
            spans.push_back({content_.xOfSeconds(s.from), content_.xOfSeconds(s.to), s.colour});
    pane->setShadedSpans(std::move(spans));
}

void TimePlotWindow::showSpan(double fromSeconds, double toSeconds) {
    PaneSet& panes = graph_->paneSet();
    const double period = content_.period;
    if (!(period > 0.0) || panes.seriesCount() == 0) return;
    const double margin = std::max((toSeconds - fromSeconds) * 0.5, 10.0 * period);
    const auto first = static_cast<std::int64_t>(std::floor((fromSeconds - margin - content_.origin) / period));
    const auto last = static_cast<std::int64_t>(std::ceil((toSeconds + margin - content_.origin) / period));
    panes.scrollTo(std::max<std::int64_t>(first, 0), std::max<std::int64_t>(last - std::max<std::int64_t>(first, 0) + 1, 2));
    if (GraphPane* pane = panes.pane(kPane)) {
        pane->setMarker(1, {content_.xOfSeconds(fromSeconds), 0.0});
        pane->setMarker(2, {content_.xOfSeconds(toSeconds), 0.0});
    }
    graph_->invalidate();
    updateReadout();
}

void TimePlotWindow::updateReadout() {
    const PaneScene* scene = graph_->scene(kPane);
    std::optional<GraphMarker> cursor;
    if (scene && !scene->empty && pointer_ && scene->plot.contains(pointer_->x(), pointer_->y()))
        cursor = GraphMarker{scene->map.xAt(pointer_->x()), scene->map.yAt(pointer_->y())};
    const GraphPane* pane = graph_->paneSet().pane(kPane);
    const std::int64_t shown = graph_->paneSet().seriesCount() ? graph_->paneSet().visibleRange().count() : 0;
    readout_->setText(QString::fromStdString(timePlotReadout(mask_, content_, *pane, cursor, shown)));
}

bool TimePlotWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == graph_ && e->type() == QEvent::MouseMove) {
        pointer_ = static_cast<QMouseEvent*>(e)->position().toPoint();
        updateReadout();
    } else if (watched == graph_ && e->type() == QEvent::Leave) {
        pointer_.reset();
        updateReadout();
    }
    return ChildWindow::eventFilter(watched, e);
}

void TimePlotWindow::closeEvent(QCloseEvent* e) {
    session().settings().setInteger(kTimePlotWindowSection, kLegendKey, static_cast<int>(mask_));
    session().settings().setInteger(kTimePlotWindowSection, kRelativeKey, relative_ ? 1 : 0);
    ChildWindow::closeEvent(e);
}

void TimePlotWindow::markModified() {
    session().controller().windowStateChanged();
}

std::unique_ptr<QMenu> TimePlotWindow::legendMenu() {
    auto menu = std::make_unique<QMenu>(this);
    for (const LegendItem& item : kLegendItems) {
        if (item.bit == legend::kClockTimes) menu->addSeparator();
        QAction* a = menu->addAction(uiText(item.text));
        a->setCheckable(true);
        const bool set = (mask_ & item.bit) != 0;
        a->setChecked(item.bit == legend::kClockTimes ? !set : set);
        const std::uint32_t bit = item.bit;
        connect(a, &QAction::triggered, this, [this, bit] {
            mask_ ^= bit;
            session().settings().setInteger(kTimePlotWindowSection, kLegendKey, static_cast<int>(mask_));
            updateReadout();
            markModified();
        });
    }
    return menu;
}

std::unique_ptr<QMenu> TimePlotWindow::propertiesMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const std::pair<text::Id, TimeUnit> units[] = {
        {text::TimeInSeconds, TimeUnit::Seconds}, {text::TimeInMinutes, TimeUnit::Minutes}, {text::TimeInHours, TimeUnit::Hours}};
    for (const auto& [text, unit] : units) {
        QAction* a = menu->addAction(uiText(text));
        a->setCheckable(true);
        a->setChecked(unit == unit_);
        const TimeUnit u = unit;
        connect(a, &QAction::triggered, this, [this, u] { setUnit(u); });
    }
    QAction* relative = menu->addAction(uiText(text::TimeFromRecordStart));
    relative->setCheckable(true);
    relative->setChecked(relative_);
    connect(relative, &QAction::triggered, this, [this] {
        relative_ = !relative_;
        session().settings().setInteger(kTimePlotWindowSection, kRelativeKey, relative_ ? 1 : 0);
        rebuild();
    });
    menu->addSeparator();
    menu->addAction(uiText(text::ChangeXCaption), this, [this] { changeCaption(true); });
    menu->addAction(uiText(text::ChangeYCaption), this, [this] { changeCaption(false); });
    return menu;
}

void TimePlotWindow::setUnit(TimeUnit unit) {
    unit_ = unit;
    xCaption_ = timeUnitCaption(unit);
    rebuild();
}

void TimePlotWindow::changeCaption(bool xAxis) {
    std::string& caption = xAxis ? xCaption_ : yCaption_;
    const std::optional<QString> text =
        session().prompts().askText(uiText(text::EnterAxisCaption), QString::fromStdString(caption));
    if (!text) return;
    caption = text->toStdString();
    graph_->paneSet().pane(kPane)->setTitles(std::string(), xCaption_, yCaption_);
    graph_->invalidate();
    markModified();
}

PlotFigure TimePlotWindow::figure() {
    PaneSet& panes = graph_->paneSet();
    panes.prepareDraw();
    const GraphPane& pane = *panes.pane(kPane);
    PaneFigureInput in;
    const std::string time = fromQt(uiText(text::TimeAxisTitle));
    in.xTitle = xCaption_.empty() ? time : time + ", " + xCaption_;
    const std::string level = fromQt(uiText(text::LevelAxisTitle));
    in.yTitle = yCaption_.empty() ? level : level + ", " + yCaption_;
    if (const CalcFile* f = file()) {
        in.title = QFileInfo(QString::fromStdString(f->file.path)).fileName().toStdString();
        if (content_.clock) in.title += ", " + formatShortDate(f->file.startTime);
        const NamingContext naming{&session().teleDescription(), &f->file.layout, &f->file.header};
        // The pane's series are the content's curves, in order.
        for (const TimePlotCurve& c : content_.curves) {
            std::string name;
            for (const ParameterEntry& e : f->entries)
                if (e.code == c.code) name = e.displayName.empty() ? ParameterName(e.code, naming).name : e.displayName;
            in.seriesNames.push_back(name);
        }
        bool exclusions = false, corrections = false;
        for (std::size_t i = 0; i < f->ranges.zoneCount(); ++i)
            (f->ranges.zone(i).exclusion ? exclusions : corrections) = true;
        const ColourTable& colours = graph_->colourTable();
        if (exclusions)
            in.zoneKeys.push_back({fromQt(uiText(text::Exclusions)), colours.at(kExclusionZoneColour), true});
        if (corrections)
            in.zoneKeys.push_back({fromQt(uiText(text::Corrections)), colours.at(kCorrectionZoneColour), true});
    }
    return buildPaneFigure(pane, in, figure::unitsOfCm(figure::kWidthCm), figure::unitsOfCm(figure::kHeightCm),
                           figureMetrics(), &graph_->colourTable());
}

WindowState TimePlotWindow::ownState() const {
    TimePlotWindowState s;
    s.xCaption = xCaption_;
    s.yCaption = yCaption_;
    return s;
}

void TimePlotWindow::restoreOwnState(const WindowState& s) {
    if (const auto* t = std::get_if<TimePlotWindowState>(&s); t && t->version > 0) {
        xCaption_ = t->xCaption;
        yCaption_ = t->yCaption;
        if (auto* pane = graph_->paneSet().pane(kPane)) pane->setTitles(std::string(), xCaption_, yCaption_);
        graph_->invalidate();
    }
}

std::unique_ptr<QMenu> TimePlotWindow::menuAt(QPoint p) {
    const CalcFile* f = file();
    const PaneScene* scene = graph_->scene(kPane);
    if (!f || !scene || scene->empty || !scene->plot.contains(p.x(), p.y())) return nullptr;
    const GraphMarker at{scene->map.xAt(p.x()), scene->map.yAt(p.y())};
    auto menu = std::make_unique<QMenu>(this);
    for (int which : {1, 2}) {
        menu->addAction(uiText(which == 1 ? text::Marker1 : text::Marker2), this, [this, which, at] {
            graph_->paneSet().pane(kPane)->setMarker(which, at);
            graph_->invalidate();
            updateReadout();
        });
    }
    menu->addSeparator();
    const bool histogramMode = f->settings.histogramMode;
    const std::vector<std::size_t> zones = zonesAt(f->ranges, content_.secondsOfX(at.x));
    if (zones.empty()) {
        menu->addAction(uiText(text::ExcludeRange), this, &TimePlotWindow::excludeRange);
        if (!histogramMode) {
            menu->addSeparator();
            menu->addAction(uiText(text::CorrectRange), this, &TimePlotWindow::correctRange);
        }
        menu->addSeparator();
        menu->addAction(uiText(text::SetWorkRange), this, &TimePlotWindow::workRangeFromMarkers);
        return menu;
    }
    std::size_t zone = zones.front();
    if (zones.size() > 1) {
        QStringList items;
        for (std::size_t z : zones) items << QString::fromStdString(zoneChoiceText(f->ranges.zone(z)));
        const int chosen = session().prompts().chooseFromMenu(items);
        if (chosen < 0 || chosen >= static_cast<int>(zones.size())) return nullptr;
        zone = zones[static_cast<std::size_t>(chosen)];
    }
    menu->addAction(uiText(text::SetBounds), this, [this, zone] { zones_.editBounds(zone); });
    menu->addSeparator();
    if (f->ranges.zone(zone).exclusion) {
        menu->addAction(uiText(text::CancelExclusion), this, [this, zone] { zones_.remove(zone); });
        if (!histogramMode) menu->addAction(uiText(text::CorrectRange), this, [this, zone] { zones_.toCorrection(zone); });
    } else {
        menu->addAction(uiText(text::ChangeCorrection), this, [this, zone] { zones_.changeCorrections(zone); });
        menu->addAction(uiText(text::CancelCorrection), this, [this, zone] { zones_.remove(zone); });
        menu->addAction(uiText(text::ExcludeRange), this, [this, zone] { zones_.toExclusion(zone); });
    }
    return menu;
}

std::optional<SecondsRange> TimePlotWindow::markedRange() {
    graph_->paneSet().prepareDraw();
    const Result<SecondsRange> range = markerRange(*graph_->paneSet().pane(kPane), content_);
    if (!range) {
        session().prompts().showMessage(range.error());
        return std::nullopt;
    }
    return *range;
}

void TimePlotWindow::excludeRange() {
    if (const std::optional<SecondsRange> r = markedRange())
        zones_.report(session().controller().addExclusionZone(r->begin, r->end));
}

void TimePlotWindow::correctRange() {
    graph_->paneSet().prepareDraw();
    if (const Result<SecondsRange> r = markerRange(*graph_->paneSet().pane(kPane), content_); !r) {
        session().prompts().showMessage(r.error());
        return;
    }
    Corrections values{};
    if (!zones_.askCorrections(values)) return;
    if (const std::optional<SecondsRange> r = markedRange())
        zones_.report(session().controller().addCorrectionZone(r->begin, r->end, values));
}

void TimePlotWindow::workRangeFromMarkers() {
    const TimePlotContent c = content_;
    if (const std::optional<SecondsRange> r = markedRange())
        zones_.report(session().controller().setWorkRangeSeconds(c, r->begin, r->end));
}
}  // namespace phonotab
