#include "gui/tables/DataFileParameterDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QListWidget>
#include <QSpinBox>

#include <algorithm>

#include "gui/base/DialogButtons.h"
#include "gui/base/UiText.h"
#include "core/tables/macros/DataAddress.h"

namespace phonotab {

namespace {
template <typename T>
const T* byNumber(const std::vector<T>& items, int number) {
    auto it = std::find_if(items.begin(), items.end(), [&](const T& i) { return i.number == number; });
    return it == items.end() ? nullptr : &*it;
}

void selectNumber(QComboBox* box, int number) {
    const int at = box->findData(number);
    if (at >= 0) box->setCurrentIndex(at);
}

// Fills a combo with named, numbered items (none when there are no items),
// keeping the chosen number where it is still offered; quietly, as the caller
// fills the next level itself.
template <typename T>
void refill(QComboBox* box, const std::vector<T>* items) {
    const QVariant keep = box->currentData();
    box->blockSignals(true);
    box->clear();
    if (items)
        for (const T& i : *items) box->addItem(toQt(i.name), i.number);
    if (keep.isValid()) selectNumber(box, keep.toInt());
    box->blockSignals(false);
}

}  // namespace

DataFileParameterDialog::DataFileParameterDialog(DataTree& file, const FileParameterRequest& request, QWidget* parent)
    : QDialog(parent), file_(file), request_(request) {
    setWindowTitle(uiText(text::ParameterChooserTitle));
    auto* form = new QFormLayout(this);
    record = new QComboBox(this);
    channel = new QComboBox(this);
    type = new QComboBox(this);
    mode = new QComboBox(this);
    bands = new QListWidget(this);
    bands->setMinimumHeight(160);
    count = new QSpinBox(this);
    count->setRange(1, std::max(1, request.count));
    count->setValue(std::max(1, request.count));
    form->addRow(uiText(text::ParameterRecord), record);
    form->addRow(uiText(text::ParameterChannel), channel);
    form->addRow(uiText(text::ParameterType), type);
    form->addRow(uiText(text::ParameterMode), mode);
    form->addRow(uiText(text::ParameterBand), bands);
    form->addRow(uiText(text::ParameterCount), count);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    // Large files list their records by name without decoding them all at once.
    const std::size_t records = file_.recordCount();
    for (std::size_t i = 0; i < records; ++i) {
        const DataRecord* r = file_.record(i);
        record->addItem(r ? toQt(r->names[0] + (r->names[1].empty() ? "" : "  " + r->names[1])) : QString::number(i + 1),
                        static_cast<int>(i));
    }
    const DataSelection& p = request_.preset;
    selectNumber(record, p.record);
    fillChannels();
    selectNumber(channel, p.channel);
    fillTypes();
    selectNumber(type, p.type);
    fillModes();
    selectNumber(mode, p.mode);
    fillBands();
    if (p.band >= 0 && p.band < bands->count()) bands->setCurrentRow(p.band);
    connect(record, &QComboBox::currentIndexChanged, this, [this] { fillChannels(); });
    connect(channel, &QComboBox::currentIndexChanged, this, [this] { fillTypes(); });
    connect(type, &QComboBox::currentIndexChanged, this, [this] { fillModes(); });
    connect(mode, &QComboBox::currentIndexChanged, this, [this] { fillBands(); });
    // What the macro fixed stays as it said.
    record->setEnabled(!(request_.fixedItems & dataspec::Record));
    channel->setEnabled(!(request_.fixedItems & dataspec::Channel));
    type->setEnabled(!(request_.fixedItems & dataspec::Type));
    mode->setEnabled(!(request_.fixedItems & dataspec::Mode));
    bands->setEnabled(!(request_.fixedItems & dataspec::Band));
}

const DataRecord* DataFileParameterDialog::currentRecord() const {
    return record->currentIndex() < 0 ? nullptr : file_.record(static_cast<std::size_t>(record->currentData().toInt()));
}

const DataChannel* DataFileParameterDialog::currentChannel() const {
    const DataRecord* r = currentRecord();
    return r ? byNumber(r->channels, channel->currentData().toInt()) : nullptr;
}

const DataType* DataFileParameterDialog::currentType() const {
    const DataChannel* c = currentChannel();
    return c ? byNumber(c->types, type->currentData().toInt()) : nullptr;
}

const DataMode* DataFileParameterDialog::currentMode() const {
    const DataType* t = currentType();
    return t ? byNumber(t->modes, mode->currentData().toInt()) : nullptr;
}

void DataFileParameterDialog::fillChannels() {
    const DataRecord* r = currentRecord();
    refill(channel, r ? &r->channels : nullptr);
    fillTypes();
}

void DataFileParameterDialog::fillTypes() {
    const DataChannel* c = currentChannel();
    refill(type, c ? &c->types : nullptr);
    fillModes();
}

void DataFileParameterDialog::fillModes() {
    const DataType* t = currentType();
    refill(mode, t ? &t->modes : nullptr);
    fillBands();
}

void DataFileParameterDialog::fillBands() {
    const int keep = bands->currentRow();
    bands->clear();
    if (const DataMode* m = currentMode())
        for (const DataBand& b : m->bands) bands->addItem(toQt(b.name + "  " + b.value));
    if (bands->count() > 0) bands->setCurrentRow(std::clamp(keep, 0, bands->count() - 1));
}

bool DataFileParameterDialog::hasChoice() const { return bands->currentRow() >= 0 && mode->currentIndex() >= 0; }

DataSelection DataFileParameterDialog::selection() const {
    DataSelection s = request_.preset;
    s.record = record->currentData().toInt();
    s.channel = channel->currentData().toInt();
    s.type = type->currentData().toInt();
    s.mode = mode->currentData().toInt();
    s.modeName.clear();
    s.band = bands->currentRow();
    return s;
}

}  // namespace phonotab
