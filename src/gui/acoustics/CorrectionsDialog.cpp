#include "gui/acoustics/CorrectionsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "gui/base/DialogButtons.h"
#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"

namespace phonotab {

CorrectionsDialog::CorrectionsDialog(const std::vector<CorrectionBand>& bands, const Corrections& values,
                                     Prompts& prompts, QWidget* parent, const std::array<QString, 3>& familyHeadings)
    : QDialog(parent), bands_(bands), values_(values), prompts_(prompts) {
    setWindowTitle(uiText(text::Corrections));
    auto* inner = new QWidget;
    auto* grid = new QGridLayout(inner);
    // Columns: family 3, family 1, then family 2 over three columns.
    int family2 = 0;
    for (const CorrectionBand& b : bands_) family2 += b.family == 2 ? 1 : 0;
    const int perColumn2 = std::max(1, (family2 + 2) / 3);
    // Row 0: each family's heading over its first column.
    bool present[3] = {false, false, false};
    for (const CorrectionBand& b : bands_)
        if (b.family >= 1 && b.family <= 3) present[b.family - 1] = true;
    const int headingColumn[3] = {1, 2, 0};  // of families 1, 2, 3
    const int headingSpan[3] = {1, 3, 1};
    for (int family = 1; family <= 3; ++family) {
        const QString& heading = familyHeadings[static_cast<std::size_t>(family - 1)];
        if (!present[family - 1] || heading.isEmpty()) continue;
        auto* label = new QLabel(QStringLiteral("<b>%1</b>").arg(heading.toHtmlEscaped()), inner);
        grid->addWidget(label, 0, headingColumn[family - 1] * 2, 1, headingSpan[family - 1] * 2);
    }
    int row3 = 1, row1 = 1, seen2 = 0;
    for (const CorrectionBand& b : bands_) {
        int column = 0, row = 0;
        if (b.family == 3) {
            row = row3++;
        } else if (b.family == 1) {
            column = 1;
            row = row1++;
        } else {
            column = 2 + seen2 / perColumn2;
            row = 1 + seen2++ % perColumn2;
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
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // As large as the rows need, within the screen; the scroll area takes the rest.
    grid->setRowStretch(grid->rowCount(), 1);
    const QSize wanted = inner->sizeHint() + QSize(60, 20 + buttons->sizeHint().height() + 40);
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(wanted.width(), screen.width() * 9 / 10), std::min(wanted.height(), screen.height() * 9 / 10));
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
