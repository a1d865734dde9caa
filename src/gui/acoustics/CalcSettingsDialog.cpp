#include "gui/acoustics/CalcSettingsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include <cmath>

#include "gui/base/DialogButtons.h"
#include "core/acoustics/CalcSettings.h"
#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"

namespace phonotab {

CalcSettingsDialog::CalcSettingsDialog(const CalcOptions& options, Prompts& prompts, QWidget* parent)
    : QDialog(parent), options_(options), prompts_(prompts) {
    setWindowTitle(uiText(text::CalcSettingsTitle));
    auto* form = new QFormLayout(this);
    interval = new QLineEdit(QString::fromStdString(formatLg(options.scanInterval)), this);
    step = new QLineEdit(QString::fromStdString(formatLg(options.scanStep)), this);
    form->addRow(uiText(text::ScanInterval), interval);
    form->addRow(uiText(text::ScanStep), step);
    auto box = [&](text::Id text, bool on) {
        auto* c = new QCheckBox(uiText(text), this);
        c->setChecked(on);
        form->addRow(c);
        return c;
    };
    grouped = box(text::GroupResultsByParameter, options.grouped);
    exclusions = box(text::ExclusionsWithoutCorrection, options.includeExclusionsUncorrected);
    noLeqTime = box(text::NoLeqTimeInResult, options.noLeqTime);
    csv = box(text::ResultsAsCsv, options.csv);
    singleFile = box(text::ResultsInOneFile, options.singleFile);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
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
