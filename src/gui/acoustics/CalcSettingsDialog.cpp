#include "gui/acoustics/CalcSettingsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include <cmath>

#include "core/acoustics/CalcSettings.h"
#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"

namespace phonotab {

namespace {
constexpr int kTitle = 5757, kInterval = 5758, kStep = 5759, kGrouped = 5760, kExclusions = 5761, kNoLeqTime = 5762,
              kCsv = 5763, kSingleFile = 5764;
}  // namespace

CalcSettingsDialog::CalcSettingsDialog(const CalcOptions& options, Prompts& prompts, QWidget* parent)
    : QDialog(parent), options_(options), prompts_(prompts) {
    setWindowTitle(uiText(kTitle));
    auto* form = new QFormLayout(this);
    interval = new QLineEdit(QString::fromStdString(formatLg(options.scanInterval)), this);
    step = new QLineEdit(QString::fromStdString(formatLg(options.scanStep)), this);
    form->addRow(uiText(kInterval), interval);
    form->addRow(uiText(kStep), step);
    auto box = [&](int text, bool on) {
        auto* c = new QCheckBox(uiText(text), this);
        c->setChecked(on);
        form->addRow(c);
        return c;
    };
    grouped = box(kGrouped, options.grouped);
    exclusions = box(kExclusions, options.includeExclusionsUncorrected);
    noLeqTime = box(kNoLeqTime, options.noLeqTime);
    csv = box(kCsv, options.csv);
    singleFile = box(kSingleFile, options.singleFile);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CalcSettingsDialog::accept() {
    CalcOptions o = options_;
    for (auto [edit, value] : {std::pair{interval, &o.scanInterval}, std::pair{step, &o.scanStep}}) {
        const Result<double> read = readTypedNumber(edit->text().toStdString());
        if (read) *value = *read;
        if (!read) {
            prompts_.showMessage(read.error());
            edit->setFocus();
            return;
        }
    }
    if (Status st = checkScanSettings(o.scanInterval, o.scanStep); !st) {
        prompts_.showMessage(st.error());
        return;
    }
    o.grouped = grouped->isChecked();
    o.includeExclusionsUncorrected = exclusions->isChecked();
    o.noLeqTime = noLeqTime->isChecked();
    o.csv = csv->isChecked();
    o.singleFile = singleFile->isChecked();
    options_ = o;
    QDialog::accept();
}

}  // namespace phonotab
