#include "gui/project/TextChooserDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
}  // namespace

TextChooserDialog::TextChooserDialog(ProjectSession& session, Kind kind, QWidget* parent)
    : QDialog(parent), session_(session), kind_(kind), list_(new QListWidget(this)) {
    setWindowTitle(uiText(kind == Kind::Instruments ? text::InstrumentsTitle : text::DocumentsTitle));
    auto* add = new QPushButton(uiText(text::Add), this);
    auto* remove = new QPushButton(uiText(text::RemoveEntry), this);
    connect(add, &QPushButton::clicked, this, &TextChooserDialog::addText);
    connect(remove, &QPushButton::clicked, this, &TextChooserDialog::removeText);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(remove);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    resize(420, 280);
    fill();
}

QString TextChooserDialog::chosen() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->text() : QString();
}

void TextChooserDialog::fill(const QString& select) {
    const ReferenceBooks& books = session_.controller().referenceBooks();
    list_->clear();
    for (const std::string& t : kind_ == Kind::Instruments ? books.measuringInstruments : books.normativeDocuments) {
        list_->addItem(toQt(t));
        if (toQt(t) == select) list_->setCurrentRow(list_->count() - 1);
    }
}

void TextChooserDialog::addText() {
    const std::optional<QString> typed =
        session_.prompts().askText(uiText(kind_ == Kind::Instruments ? text::EnterInstrument : text::EnterDocument), QString());
    if (!typed) return;
    ReferenceBooks& books = session_.controller().referenceBooks();
    const std::string text = fromQt(*typed);
    const bool added = kind_ == Kind::Instruments ? books.addInstrument(text) : books.addNormativeDocument(text);
    if (added) fill(toQt(std::string(trimBlanks(text))));
}

void TextChooserDialog::removeText() {
    const QString text = chosen();
    if (text.isEmpty()) return;
    ReferenceBooks& books = session_.controller().referenceBooks();
    if (kind_ == Kind::Instruments)
        books.removeInstrument(fromQt(text));
    else
        books.removeNormativeDocument(fromQt(text));
    fill();
}

}  // namespace phonotab
