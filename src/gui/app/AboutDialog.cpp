#include "gui/app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/AppIcons.h"
#include "gui/base/UiText.h"

namespace phonotab {

QString AboutDialog::versionText() {
    return messageText(Message(text::AboutVersion, PHONOTAB_VERSION_MAJOR, PHONOTAB_VERSION_MINOR));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiText(text::AboutTitle));
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(48, 48));
    auto* text = new QLabel(versionText(), this);
    auto* buttons = standardButtons(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

}  // namespace phonotab
