#include "gui/tables/ReferenceFormulaDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
}

ReferenceFormulaDialog::ReferenceFormulaDialog(const ReferenceBooks& books, const std::string& preset, QWidget* parent)
    : QDialog(parent), books_(books) {
    setWindowTitle(uiText(text::ReferenceData));
    auto* form = new QFormLayout(this);
    book = new QComboBox(this);
    entry = new QComboBox(this);
    entry->setMinimumWidth(320);
    for (const auto& [name, records] : books_.referenceBooks) book->addItem(toQt(name));
    form->addRow(uiText(text::ReferenceBookLabel), book);
    form->addRow(uiText(text::ReferenceEntryLabel), entry);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    // "#book#index" of the cell: that book and entry first.
    long long presetIndex = 0;
    if (preset.size() > 1 && preset[0] == '#') {
        const std::size_t hash = preset.find('#', 1);
        if (hash != std::string::npos) {
            const int at = book->findText(toQt(preset.substr(1, hash - 1)));
            if (at >= 0) book->setCurrentIndex(at);
            presetIndex = std::atoll(preset.c_str() + hash + 1);
        }
    }
    fillEntries();
    if (presetIndex >= 0 && presetIndex < entry->count()) entry->setCurrentIndex(static_cast<int>(presetIndex));
    connect(book, &QComboBox::currentIndexChanged, this, [this] { fillEntries(); });
}

void ReferenceFormulaDialog::fillEntries() {
    entry->clear();
    const auto* records = books_.book(fromQt(book->currentText()));
    if (!records) return;
    for (std::size_t i = 0; i < records->size(); ++i) {
        const ReferenceRecord& r = (*records)[i];
        entry->addItem(QStringLiteral("%1: %2 (%3)").arg(i).arg(toQt(r.description)).arg(r.value));
    }
}

std::string ReferenceFormulaDialog::formula() const {
    if (book->currentIndex() < 0 || entry->currentIndex() < 0) return {};
    return "#" + fromQt(book->currentText()) + "#" + std::to_string(entry->currentIndex());
}

}  // namespace phonotab
