#include "gui/tables/TextDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
}

TextDialog::TextDialog(const std::string& preset, QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiText(text::EnterText));
    auto* layout = new QVBoxLayout(this);
    edit = new QPlainTextEdit(this);
    QString shown = toQt(preset);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit->setPlainText(shown);
    edit->selectAll();
    layout->addWidget(edit);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(360, 180);
}

std::string TextDialog::text() const {
    QString typed = edit->toPlainText();
    typed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    typed.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return fromQt(typed);
}

}  // namespace phonotab
