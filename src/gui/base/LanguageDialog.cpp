#include "gui/base/LanguageDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace phonotab {

LanguageDialog::LanguageDialog(const std::vector<LanguageChoice>& choices, int preferred, QWidget* parent)
    : QDialog(parent), choices_(choices) {
    // Shown before any language is chosen: the title stays in English.
    setWindowTitle("Select language");
    list_ = new QListWidget(this);
    for (const auto& c : choices) list_->addItem(QString::fromStdString(c.name));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    connect(list_, &QListWidget::itemSelectionChanged, this, &LanguageDialog::captionButtons);
    connect(list_, &QListWidget::currentRowChanged, this, &LanguageDialog::captionButtons);
    connect(buttons, &QDialogButtonBox::accepted, this, &LanguageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LanguageDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &LanguageDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(260, 220);
    if (preferred >= 0 && preferred < list_->count()) list_->setCurrentRow(preferred);
    captionButtons();
    list_->setFocus();
}

void LanguageDialog::captionButtons() {
    const int row = list_->currentRow();
    const bool selected = row >= 0 && row < static_cast<int>(choices_.size()) && list_->currentItem()->isSelected();
    const LanguageChoice* c = selected ? &choices_[static_cast<std::size_t>(row)] : nullptr;
    ok_->setText(c ? QString::fromStdString(c->okCaption) : QStringLiteral("OK"));
    cancel_->setText(c ? QString::fromStdString(c->cancelCaption) : QStringLiteral("Cancel"));
}

void LanguageDialog::accept() {
    const int row = list_->currentRow();
    if (row < 0 || !list_->currentItem() || !list_->currentItem()->isSelected()) return;
    chosen_ = row;
    QDialog::accept();
}

}  // namespace phonotab
