#include "gui/acoustics/CorrectionsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"

namespace phonotab {

CorrectionsDialog::CorrectionsDialog(const std::vector<CorrectionBand>& bands, const Corrections& values,
                                     Prompts& prompts, QWidget* parent)
    : QDialog(parent), bands_(bands), values_(values), prompts_(prompts) {
    setWindowTitle(uiText(text::Corrections));
    auto* inner = new QWidget;
    auto* grid = new QGridLayout(inner);
    // Columns: family 3, family 1, then family 2 over three columns.
    int family2 = 0;
    for (const CorrectionBand& b : bands_) family2 += b.family == 2 ? 1 : 0;
    const int perColumn2 = std::max(1, (family2 + 2) / 3);
    int row3 = 0, row1 = 0, seen2 = 0;
    for (const CorrectionBand& b : bands_) {
        int column = 0, row = 0;
        if (b.family == 3) {
            row = row3++;
        } else if (b.family == 1) {
            column = 1;
            row = row1++;
        } else {
            column = 2 + seen2 / perColumn2;
            row = seen2++ % perColumn2;
        }
        auto* e = new QLineEdit(QString::fromStdString(cformat("%.2lf", values_[static_cast<std::size_t>(b.index)])), inner);
        e->setObjectName(QStringLiteral("correction%1").arg(b.index));
        e->setMaximumWidth(64);
        grid->addWidget(new QLabel(QString::fromStdString(b.caption), inner), row, column * 2);
        grid->addWidget(e, row, column * 2 + 1);
        edits_.push_back(e);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(std::min(760, 140 + 150 * (family2 > 0 ? 5 : 2)), 420);
}

void CorrectionsDialog::accept() {
    Corrections read = values_;
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const Result<double> v = readTypedNumber(edits_[i]->text().toStdString());
        if (!v) {
            prompts_.showMessage(messageText(v.error()));
            edits_[i]->setFocus();
            edits_[i]->selectAll();
            return;
        }
        read[static_cast<std::size_t>(bands_[i].index)] = *v;
    }
    values_ = read;
    QDialog::accept();
}

}  // namespace phonotab
