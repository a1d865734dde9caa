#include "gui/base/LanguageDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace phonotab {

LanguageDialog::LanguageDialog(const std::vector<LanguageChoice>& choices, int preferred, QWidget* parent)
    : QDialog(parent) {
    // Shown before any language is chosen: the title stays in English.
    setWindowTitle("Select language");
    list_ = new QListWidget(this);
    for (const auto& c : choices) list_->addItem(QString::fromStdString(c.name));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LanguageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LanguageDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &LanguageDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(260, 220);
    if (preferred >= 0 && preferred < list_->count()) list_->setCurrentRow(preferred);
    list_->setFocus();
}

void LanguageDialog::accept() {
    const int row = list_->currentRow();
    if (row < 0 || !list_->currentItem() || !list_->currentItem()->isSelected()) return;
    chosen_ = row;
    QDialog::accept();
}

}  // namespace phonotab
