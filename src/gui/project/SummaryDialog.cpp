#include "gui/project/SummaryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/measurement/Catalogue.h"

namespace phonotab {

namespace {

const QString kSummaryDialogSection = QStringLiteral("ReportDialog");
}  // namespace

SummaryDialog::SummaryDialog(const SummaryColumnModel& model, SettingsStore& settings, const ReportConfig& stored,
                             QWidget* parent)
    : QDialog(parent), model_(model), columns_(stored.list(model.typeCode())) {
    setWindowTitle(uiText(text::SummaryTitle));

    family_ = new QComboBox(this);
    for (int f : model_.families()) family_->addItem(toQt(model_.familyCaption(f)), f);
    detector_ = new QComboBox(this);
    band_ = new QComboBox(this);
    channel_ = new QSpinBox(this);
    channel_->setRange(1, std::max(1, model_.channelCount()));
    channel_->setPrefix(uiText(text::SummaryChannel) + QStringLiteral(" "));
    channel_->setEnabled(model_.channelCount() > 1);
    connect(family_, &QComboBox::currentIndexChanged, this, [this] { fillDependentLists(); });

    auto* choice = new QFormLayout;
    choice->addRow(uiText(text::SummaryFamily), family_);
    choice->addRow(uiText(text::SummaryDetector), detector_);
    choice->addRow(uiText(text::SummaryBand), band_);
    choice->addRow(QString(), channel_);

    list_ = new QListWidget(this);
    auto* buttons = new QVBoxLayout;
    auto button = [&](text::Id text, void (SummaryDialog::*slot)()) {
        auto* b = new QPushButton(uiText(text), this);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(text::SummaryAdd, &SummaryDialog::addColumn);
    button(text::RemoveEntry, &SummaryDialog::removeColumn);
    button(text::SummaryClearList, &SummaryDialog::clearColumns);
    button(text::SummaryAll, &SummaryDialog::addAllColumns);
    buttons->addStretch();

    auto* include = new QGroupBox(uiText(text::SummaryInclude), this);
    auto* flags = new QHBoxLayout(include);
    auto box = [&](text::Id text, const char* key, bool fallback) {
        auto* c = new QCheckBox(uiText(text), include);
        c->setChecked(settings.integer(kSummaryDialogSection, QString::fromLatin1(key), fallback ? 1 : 0) != 0);
        flags->addWidget(c);
        return c;
    };
    date_ = box(text::SummaryDate, "bDate", true);
    time_ = box(text::SummaryTime, "bTime", true);
    vin_ = box(text::SummaryVin, "bVIN", true);
    duration_ = box(text::SummaryDuration, "bInterval", true);
    frequency_ = new QCheckBox(uiText(text::FrequencyAsNumber), this);
    frequency_->setChecked(settings.integer(kSummaryDialogSection, QStringLiteral("bFreqValue"), 0) != 0);

    auto* ok = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok->button(QDialogButtonBox::Ok)->setText(uiText(text::MakeSummary));
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ok, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addLayout(middle, 1);
    layout->addWidget(include);
    layout->addWidget(frequency_);
    layout->addWidget(ok);
    resize(460, 420);

    fillDependentLists();
    showColumns();
}

void SummaryDialog::fillDependentLists() {
    const int f = family_->currentData().toInt();
    detector_->clear();
    for (int d = 0; d < model_.detectorCount(f); ++d) detector_->addItem(toQt(model_.detectorCaption(d)), d);
    const int keep = band_->currentIndex();
    band_->clear();
    for (int b = 0; b < model_.bandCount(f); ++b) {
        QString caption = toQt(model_.bandCaption(f, b));
        band_->addItem(caption.isEmpty() ? QString::number(b + 1) : caption, b);
    }
    if (keep >= 0 && keep < band_->count()) band_->setCurrentIndex(keep);
}

void SummaryDialog::showColumns() {
    list_->clear();
    for (const ReportColumn& c : columns_) list_->addItem(toQt(c.name));
}

ReportFlags SummaryDialog::flags() const {
    ReportFlags f;
    f.includeDate = date_->isChecked();
    f.includeTime = time_->isChecked();
    f.includeVin = vin_->isChecked();
    f.includeDuration = duration_->isChecked();
    f.frequencyAsNumber = frequency_->isChecked();
    return f;
}

int SummaryDialog::band() const { return std::max(0, band_->currentData().toInt()); }

void SummaryDialog::storeFlags(SettingsStore& settings) const {
    const ReportFlags f = flags();
    settings.setInteger(kSummaryDialogSection, QStringLiteral("bDate"), f.includeDate);
    settings.setInteger(kSummaryDialogSection, QStringLiteral("bTime"), f.includeTime);
    settings.setInteger(kSummaryDialogSection, QStringLiteral("bVIN"), f.includeVin);
    settings.setInteger(kSummaryDialogSection, QStringLiteral("bInterval"), f.includeDuration);
    settings.setInteger(kSummaryDialogSection, QStringLiteral("bFreqValue"), f.frequencyAsNumber);
}

void SummaryDialog::addColumn() {
    if (family_->currentIndex() < 0 || detector_->currentIndex() < 0) return;
    columns_.push_back(model_.column(channel_->value() - 1, detector_->currentData().toInt(),
                                     family_->currentData().toInt(), band()));
    showColumns();
    list_->setCurrentRow(list_->count() - 1);
}

void SummaryDialog::removeColumn() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(columns_.size())) return;
    columns_.erase(columns_.begin() + row);
    showColumns();
}

void SummaryDialog::clearColumns() {
    columns_.clear();
    showColumns();
}

void SummaryDialog::addAllColumns() {
    if (family_->currentIndex() < 0) return;
    columns_ = model_.allColumns(family_->currentData().toInt(), band());
    showColumns();
}

}  // namespace phonotab
