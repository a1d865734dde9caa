#include "gui/acoustics/RangesWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include <cstdint>

#include "gui/acoustics/BoundsDialog.h"
#include "gui/base/EditHistoryActions.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
const QString kRangesWindowSection = QStringLiteral("RangeDlg");
const QString kRelativeKey = QStringLiteral("bATime");
}  // namespace

RangesWindow::RangesWindow(ProjectSession& session, QWidget* parent)
    : ChildWindow(session, WindowKind::Ranges, uiText(text::RangesTitle), QStringLiteral("RangeDlg"), parent),
      zones_(session, this) {
    addEditHistoryActions(this, session);
    auto* layout = new QVBoxLayout(this);
    auto* sliders = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        sliders_[i] = new QSlider(Qt::Horizontal, this);
        sliders_[i]->setObjectName(QStringLiteral("slider%1").arg(i));
        times_[i] = new QLineEdit(this);
        times_[i]->setReadOnly(true);
        times_[i]->setMaximumWidth(90);
        sliders->addWidget(sliders_[i], i, 0);
        sliders->addWidget(times_[i], i, 1);
        connect(sliders_[i], &QSlider::valueChanged, this, [this] { updateTimes(); });
    }
    layout->addLayout(sliders);
    bar_ = new TimeBarWidget(this);
    layout->addWidget(bar_);
    connect(bar_, &TimeBarWidget::menuRequested, this, [this](QPoint p) {
        if (std::unique_ptr<QMenu> m = menuAt(p)) m->exec(bar_->mapToGlobal(p));
    });

    auto* buttons = new QGroupBox(uiText(text::SetRangeLabel), this);
    auto* row = new QHBoxLayout(buttons);
    work_ = new QPushButton(uiText(text::WorkRange), buttons);
    corrections_ = new QPushButton(uiText(text::Corrections), buttons);
    exclusions_ = new QPushButton(uiText(text::Exclusions), buttons);
    for (QPushButton* b : {work_, corrections_, exclusions_}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addWidget(buttons);
    connect(work_, &QPushButton::clicked, this, &RangesWindow::setWorkRange);
    connect(corrections_, &QPushButton::clicked, this, &RangesWindow::addCorrections);
    connect(exclusions_, &QPushButton::clicked, this, &RangesWindow::addExclusions);

    auto* bottom = new QHBoxLayout;
    relative_ = new QCheckBox(uiText(text::ShowTimeFromRecordStart), this);
    relative_->setChecked(session.settings().integer(kRangesWindowSection, kRelativeKey, 1) != 0);
    connect(relative_, &QCheckBox::toggled, this, [this](bool on) {
        this->session().settings().setInteger(kRangesWindowSection, kRelativeKey, on ? 1 : 0);
        bar_->setFile(file(), on);
        updateTimes();  // the slider edits follow the bar's choice of time
    });
    invert_ = new QPushButton(uiText(text::InvertExclusions), this);
    invert_->setAutoDefault(false);
    connect(invert_, &QPushButton::clicked, this, &RangesWindow::invertExclusions);
    bottom->addWidget(relative_);
    bottom->addStretch();
    bottom->addWidget(invert_);
    layout->addLayout(bottom);
    layout->addStretch();
    resize(560, sizeHint().height());
    refresh(true);
}

const CalcFile* RangesWindow::file() { return session().currentFile(); }

void RangesWindow::refresh(bool resetSliders) {
    const CalcFile* f = file();
    for (QWidget* w : std::initializer_list<QWidget*>{sliders_[0], sliders_[1], work_, corrections_, exclusions_, invert_})
        w->setEnabled(f != nullptr);
    bar_->setFile(f, relative_->isChecked());
    if (!f) {
        setWindowTitle(uiText(text::RangesTitle));
        for (QLineEdit* t : times_) t->clear();
        return;
    }
    setWindowTitle(QString::fromStdString(rangesTitle(f->settings, f->file.startTime)));
    const std::int64_t total = spanSampleTotal(f->ranges, f->settings);
    const int top = static_cast<int>(std::min<std::int64_t>(total - 1, INT32_MAX));
    for (QSlider* s : sliders_) s->setRange(0, std::max(top, 0));
    if (resetSliders) {
        sliders_[0]->setValue(static_cast<int>(std::min<std::int64_t>(f->settings.firstSample, top)));
        sliders_[1]->setValue(
            static_cast<int>(std::min<std::int64_t>(f->settings.firstSample + f->settings.sampleCount - 1, top)));
    }
    updateTimes();
}

void RangesWindow::updateTimes() {
    const CalcFile* f = file();
    if (!f) return;
    for (int i = 0; i < 2; ++i)
        times_[i]->setText(QString::fromStdString(sliderTimeText(sliders_[i]->value(), f->settings.samplePeriod, f->ranges,
                                                                 relative_->isChecked(), f->file.startTime)));
}

bool RangesWindow::sliderRange(std::int64_t& lo, std::int64_t& hi) const {
    lo = std::min(sliders_[0]->value(), sliders_[1]->value());
    hi = std::max(sliders_[0]->value(), sliders_[1]->value());
    return lo != hi;
}

void RangesWindow::setWorkRange() {
    std::int64_t lo, hi;
    if (!file() || !sliderRange(lo, hi)) return;
    zones_.report(session().controller().setWorkRange(lo, hi));
}

void RangesWindow::addExclusions() {
    std::int64_t lo, hi;
    if (!file() || !sliderRange(lo, hi)) return;
    const double p = file()->settings.samplePeriod;
    zones_.report(session().controller().addExclusionZone(static_cast<double>(lo) * p, static_cast<double>(hi) * p));
}

void RangesWindow::addCorrections() {
    std::int64_t lo, hi;
    if (!file() || !sliderRange(lo, hi)) return;
    Corrections values{};
    if (!zones_.askCorrections(values)) return;
    const double p = file()->settings.samplePeriod;
    zones_.report(
        session().controller().addCorrectionZone(static_cast<double>(lo) * p, static_cast<double>(hi) * p, values));
}

void RangesWindow::invertExclusions() {
    if (!file()) return;
    zones_.report(session().controller().invertExclusionZones());
}

std::unique_ptr<QMenu> RangesWindow::menuAt(QPoint position) {
    const CalcFile* f = file();
    if (!f) return nullptr;
    const BarHit hit = bar_->timeBar().hitTest(position.x(), position.y());
    if (!hit.onBar) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    if (hit.zones.empty()) {
        if (!hit.workRangeLane) return nullptr;
        menu->addAction(uiText(text::SetBounds), this, &RangesWindow::editWorkRangeBounds);
        return menu;
    }
    std::size_t zone = hit.zones.front();
    if (hit.zones.size() > 1) {
        QStringList items;
        for (std::size_t z : hit.zones) items << QString::fromStdString(zoneChoiceText(f->ranges.zone(z)));
        const int chosen = session().prompts().chooseFromMenu(items);
        if (chosen < 0 || chosen >= static_cast<int>(hit.zones.size())) return nullptr;
        zone = hit.zones[static_cast<std::size_t>(chosen)];
    }
    menu->addAction(uiText(text::SetBounds), this, [this, zone] { zones_.editBounds(zone); });
    menu->addSeparator();
    if (f->ranges.zone(zone).exclusion) {
        menu->addAction(uiText(text::CancelExclusion), this, [this, zone] { zones_.remove(zone); });
    } else {
        menu->addAction(uiText(text::ChangeCorrection), this, [this, zone] { zones_.changeCorrections(zone); });
        menu->addAction(uiText(text::CancelCorrection), this, [this, zone] { zones_.remove(zone); });
    }
    return menu;
}

void RangesWindow::editWorkRangeBounds() {
    const CalcFile* f = file();
    if (!f) return;
    const auto [first, last] = workRangeTimes(f->settings, f->ranges);
    BoundsDialog dialog(first, last, f->file.startTime, session().prompts(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const double a = dialog.begin(), b = dialog.end();
    zones_.report(session().controller().setWorkRangeTimes(a, b));
    refresh(true);
}
}  // namespace phonotab
