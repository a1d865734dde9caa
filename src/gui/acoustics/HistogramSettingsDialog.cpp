#include "gui/acoustics/HistogramSettingsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include <algorithm>
#include <cmath>

#include "gui/base/DialogButtons.h"
#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"

namespace phonotab {

namespace {
QString lg(double v) { return QString::fromStdString(formatLg(v)); }

// A field's number, with a decimal comma or point.
bool readNumber(const QLineEdit* e, double& v) {
    const Result<double> read = readTypedNumber(e->text().toStdString());
    if (read) v = *read;
    return read.ok();
}
}  // namespace

HistogramSettingsDialog::HistogramSettingsDialog(const HistogramSettings& settings, Prompts& prompts, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
    setWindowTitle(uiText(text::HistogramSettingsTitle));
    auto* form = new QFormLayout(this);
    lower = new QLineEdit(lg(settings.lower), this);
    upper = new QLineEdit(lg(settings.upper()), this);
    width = new QLineEdit(lg(settings.width), this);
    percentiles = new QLineEdit(QString::fromStdString(formatPercentileText(settings.percentiles)), this);
    excludeEdges = new QCheckBox(uiText(text::HistogramExcludeEdges), this);
    excludeEdges->setChecked(settings.excludeEdges);
    form->addRow(uiText(text::HistogramLowerBound), lower);
    form->addRow(uiText(text::HistogramUpperBound), upper);
    form->addRow(uiText(text::HistogramClassWidth), width);
    form->addRow(uiText(text::HistogramPercentiles), percentiles);
    form->addRow(excludeEdges);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void HistogramSettingsDialog::accept() {
    HistogramSettings h = settings_;
    double up = 0;
    for (auto [edit, value] : {std::pair{lower, &h.lower}, std::pair{upper, &up}, std::pair{width, &h.width}}) {
        if (!readNumber(edit, *value)) {
            prompts_.showMessage(Message(msg::NotANumber));
            edit->setFocus();
            return;
        }
    }
    // The class count from the bounds and the width, rounded to whole classes.
    const double n = h.width > 0 ? std::floor((up - h.lower) / h.width + 0.5) : 0.0;
    h.classes = static_cast<int>(std::clamp(n, -1.0, static_cast<double>(kMaxHistogramClasses) + 1));
    h.percentiles = parsePercentileText(percentiles->text().toStdString());
    h.excludeEdges = excludeEdges->isChecked();
    if (Status st = checkHistogramSettings(h); !st) {
        prompts_.showMessage(st.error());
        return;
    }
    settings_ = h;
    QDialog::accept();
}

}  // namespace phonotab
