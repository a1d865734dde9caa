#include "gui/base/DialogPrompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "gui/base/LanguageDialog.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
const QString kTitle = QStringLiteral("Phonotab");
}  // namespace

void DialogPrompts::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Information, kTitle, text, QMessageBox::Ok, parent_);
    box.exec();
}

Prompts::Answer DialogPrompts::ask(const QString& text, bool withCancel) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(uiText(text::Yes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(uiText(text::No), QMessageBox::NoRole);
    QPushButton* cancel = withCancel ? box.addButton(uiText(text::Cancel), QMessageBox::RejectRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == no || !cancel) return Answer::No;
    return Answer::Cancel;
}

QString DialogPrompts::openFilePath(const QString& title, const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

QStringList DialogPrompts::openFilePaths(const QString& title, const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileNames(parent_, title, folder, filter);
}

QString DialogPrompts::saveFilePath(const QString& title, const QString& filter, const QString& suggested,
                                    const QString& defaultSuffix, OverwriteCheck check) {
    QFileDialog dialog(parent_, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (check == OverwriteCheck::ByCaller) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString DialogPrompts::chooseFolder(const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent_, title, start);
}

std::optional<QString> DialogPrompts::askText(const QString& title, const QString& preset) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(title);
    dialog.setTextValue(preset);
    dialog.setOkButtonText(uiText(text::Yes));
    dialog.setCancelButtonText(uiText(text::Cancel));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

int DialogPrompts::chooseItem(const QString& title, const QStringList& items) {
    if (items.isEmpty()) return -1;
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(title);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setOkButtonText(uiText(text::Yes));
    dialog.setCancelButtonText(uiText(text::Cancel));
    if (dialog.exec() != QDialog::Accepted) return -1;
    return static_cast<int>(items.indexOf(dialog.textValue()));
}

int DialogPrompts::chooseLanguage(const std::vector<LanguageChoice>& choices, int preferred) {
    LanguageDialog dialog(choices, preferred, parent_);
    return dialog.exec() == QDialog::Accepted ? dialog.chosen() : -1;
}

void DialogPrompts::openExternally(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace phonotab
