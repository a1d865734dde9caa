#include "gui/acoustics/ParameterChooserDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include "gui/base/DialogButtons.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/measurement/Catalogue.h"

namespace phonotab {

namespace {
const QString kChooserSection = QStringLiteral("ParChose");

void selectData(QComboBox* box, int value) {
    const int i = box->findData(value);
    if (i >= 0) box->setCurrentIndex(i);
}
}  // namespace

ParameterChooserDialog::ParameterChooserDialog(ChooserRequest request, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), request_(std::move(request)), settings_(settings) {
    setWindowTitle(uiText(text::ParameterChooserTitle));
    auto* form = new QFormLayout(this);
    source = new QComboBox(this);
    for (const ChooserSource& s : request_.sources) source->addItem(s.caption);
    type = new QComboBox(this);
    channel = new QComboBox(this);
    mode = new QComboBox(this);
    bands = new QListWidget(this);
    bands->setMinimumHeight(160);
    count = new QSpinBox(this);
    count->setRange(1, 1);
    all = new QPushButton(uiText(text::AllCounts), this);
    all->setCheckable(true);
    all->setAutoDefault(false);
    bound = new QLabel(uiText(text::CalculatedParameter) + (request_.boundItem.isEmpty() ? QString() : ": " + request_.boundItem), this);
    severalFiles = new QCheckBox(uiText(text::OneParameterOverFiles), this);

    form->addRow(uiText(text::ParameterSource), source);
    form->addRow(uiText(text::ParameterType), type);
    form->addRow(uiText(text::ParameterChannel), channel);
    form->addRow(uiText(text::ParameterMode), mode);
    form->addRow(uiText(text::ParameterBand), bands);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(count, 1);
    countRow->addWidget(all);
    form->addRow(uiText(text::ParameterCount), countRow);
    form->addRow(bound);
    item = new QComboBox(this);
    item->addItems(request_.items);
    if (request_.item >= 0 && request_.item < item->count()) item->setCurrentIndex(request_.item);
    form->addRow(uiText(text::CalculatedParameter), item);
    form->setRowVisible(item, request_.tableBinding && !request_.items.isEmpty());
    if (!request_.items.isEmpty()) bound->setVisible(false);
    form->addRow(severalFiles);
    form->setRowVisible(source, request_.showSource);
    bound->setVisible(request_.tableBinding && request_.items.isEmpty());
    severalFiles->setVisible(request_.tableBinding);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    // The last choice first, as far as the source still offers it.
    const int storedSource = source->findText(settings_.text(kChooserSection, "Source"));
    if (storedSource >= 0) source->setCurrentIndex(storedSource);
    fillTypes();
    selectData(type, settings_.integer(kChooserSection, "Type", 1));
    fillChannels();
    selectData(channel, settings_.integer(kChooserSection, "Channel", 0));
    fillModes();
    selectData(mode, settings_.integer(kChooserSection, "Operation", 0));
    fillBands();
    bands->setCurrentRow(std::min(settings_.integer(kChooserSection, "Band", 0), bands->count() - 1));

    connect(source, &QComboBox::currentIndexChanged, this, [this] {
        fillTypes();
        fillChannels();
        fillModes();
        fillBands();
    });
    connect(type, &QComboBox::currentIndexChanged, this, [this] {
        fillChannels();
        fillModes();
        fillBands();
    });
    connect(channel, &QComboBox::currentIndexChanged, this, [this] {
        fillModes();
        fillBands();
    });
    connect(mode, &QComboBox::currentIndexChanged, this, [this] { fillBands(); });
    connect(all, &QPushButton::toggled, this, [this] { fillBands(); });
    connect(bands, &QListWidget::currentRowChanged, this, [this](int row) {
        // Further bands of the same list can follow the chosen one.
        const int rest = row >= 0 ? static_cast<int>(items_.size()) - row : 1;
        count->setRange(1, std::max(1, rest));
    });
}

const ChooserSource& ParameterChooserDialog::current() const {
    static const ChooserSource none;
    const int i = source->currentIndex();
    return i >= 0 && i < static_cast<int>(request_.sources.size()) ? request_.sources[static_cast<std::size_t>(i)] : none;
}

ParameterChooser ParameterChooserDialog::chooser() const { return ParameterChooser(current().naming, current().histogramMode); }

void ParameterChooserDialog::fillTypes() {
    const QSignalBlocker block(type);
    type->clear();
    const RecordLayout* layout = current().naming.layout;
    if (!layout) return;
    for (int t = 1; t <= 6; ++t) {
        bool offered = false;
        for (int c = 0; c < std::max(layout->channelCount, 1) && !offered; ++c) offered = !chooser().modes(t, c).empty();
        if (!offered) continue;
        type->addItem(QString::fromStdString(ParameterChooser::typeCaption(*layout, t)), t);
    }
}

void ParameterChooserDialog::fillChannels() {
    const QSignalBlocker block(channel);
    channel->clear();
    const RecordLayout* layout = current().naming.layout;
    if (!layout) return;
    for (int c = 0; c < std::max(layout->channelCount, 1); ++c)
        if (!chooser().modes(type->currentData().toInt(), c).empty())
            channel->addItem(QString::fromStdString(channelCaption(c, true)), c);
}

void ParameterChooserDialog::fillModes() {
    const QSignalBlocker block(mode);
    mode->clear();
    const RecordLayout* layout = current().naming.layout;
    if (!layout) return;
    for (int m : chooser().modes(type->currentData().toInt(), channel->currentData().toInt())) {
        QString name = QString::fromStdString(detectorName(*layout, m));
        mode->addItem(name.isEmpty() ? QString::number(m) : name, m);
    }
}

void ParameterChooserDialog::fillBands() {
    const QSignalBlocker block(bands);
    bands->clear();
    items_.clear();
    if (current().naming.layout && mode->count() > 0)
        items_ = chooser().bands(type->currentData().toInt(), channel->currentData().toInt(), mode->currentData().toInt(),
                                 all->isChecked());
    for (const ChooserBand& b : items_) bands->addItem(QString::fromStdString(b.text));
    if (!items_.empty()) bands->setCurrentRow(0);
    count->setRange(1, std::max(1, static_cast<int>(items_.size())));
    if (all->isChecked() && !items_.empty()) {
        count->setRange(items_.front().count, items_.front().count);
        count->setValue(items_.front().count);
    } else {
        count->setValue(1);
    }
}

bool ParameterChooserDialog::hasChoice() const {
    const int row = bands->currentRow();
    return row >= 0 && row < static_cast<int>(items_.size());
}

ChooserChoice ParameterChooserDialog::choice() const {
    ChooserChoice c;
    c.source = source->currentIndex();
    c.severalFiles = severalFiles->isChecked();
    c.item = item->currentIndex();
    if (hasChoice()) {
        const ChooserBand& item = items_[static_cast<std::size_t>(bands->currentRow())];
        // Derived parameters (histograms) have no following bands.
        const bool derived = parameterKind(item.code) != ParameterKind::MeasuredLevel;
        c.entry = ParameterChooser::build(item, derived ? 1 : count->value());
    }
    return c;
}

void ParameterChooserDialog::done(int result) {
    if (result == QDialog::Accepted) {
        settings_.setInteger(kChooserSection, "Type", type->currentData().toInt());
        settings_.setInteger(kChooserSection, "Mode", mode->currentIndex());
        settings_.setInteger(kChooserSection, "Band", std::max(bands->currentRow(), 0));
        settings_.setInteger(kChooserSection, "Channel", channel->currentData().toInt());
        settings_.setInteger(kChooserSection, "Operation", mode->currentData().toInt());
        settings_.setText(kChooserSection, "Source", source->currentText());
    }
    QDialog::done(result);
}

}  // namespace phonotab
