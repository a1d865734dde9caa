#include "gui/base/DialogPrompts.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

#include "gui/base/LanguageDialog.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {

const QString kTitle = QStringLiteral("Phonotab");

// Gives the keyboard back to the window that asked once its dialog is gone:
// some window managers otherwise activate the main window, and a table window
// behind it seems to vanish.
class ActivationKeeper {
public:
    explicit ActivationKeeper(QWidget* window) : window_(window) {}
    ~ActivationKeeper() {
        if (window_ && window_->isVisible()) window_->activateWindow();
    }
    ActivationKeeper(const ActivationKeeper&) = delete;
    ActivationKeeper& operator=(const ActivationKeeper&) = delete;

private:
    QPointer<QWidget> window_;
};

// An input dialog wide enough to show its title and its question whole,
// with the buttons captioned in the interface language.
void prepareInputDialog(QInputDialog& dialog, const QString& title) {
    dialog.setWindowTitle(title);
    dialog.setLabelText(title);
    dialog.setOkButtonText(uiText(text::Ok));
    dialog.setCancelButtonText(uiText(text::Cancel));
    // The dialog's layout sizes it to its contents: the question's label is
    // what makes it wide enough for the title (and the window manager's
    // buttons beside it) to show whole.
    constexpr int kTitleBarButtons = 120;
    const int width = std::max(340, dialog.fontMetrics().horizontalAdvance(title) + kTitleBarButtons);
    if (auto* label = dialog.findChild<QLabel*>()) label->setMinimumWidth(width);
}

}  // namespace

QWidget* DialogPrompts::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow(); active && active->isVisible()) return active;
    return parent_;
}

void DialogPrompts::showMessage(const QString& text) {
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    QMessageBox box(QMessageBox::Information, kTitle, text, QMessageBox::NoButton, window);
    box.addButton(uiText(text::Ok), QMessageBox::AcceptRole);
    box.exec();
}

Prompts::Answer DialogPrompts::ask(const QString& text, bool withCancel) {
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, window);
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
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    return QFileDialog::getOpenFileName(window, title, folder, filter);
}

QStringList DialogPrompts::openFilePaths(const QString& title, const QString& filter, const QString& folder) {
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    return QFileDialog::getOpenFileNames(window, title, folder, filter);
}

QString DialogPrompts::saveFilePath(const QString& title, const QString& filter, const QString& suggested,
                                    const QString& defaultSuffix, OverwriteCheck check) {
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    QFileDialog dialog(window, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (check == OverwriteCheck::ByCaller) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString DialogPrompts::chooseFolder(const QString& title, const QString& start) {
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    return QFileDialog::getExistingDirectory(window, title, start);
}

std::optional<QString> DialogPrompts::askText(const QString& title, const QString& preset) {
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    QInputDialog dialog(window);
    prepareInputDialog(dialog, title);
    dialog.setTextValue(preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

int DialogPrompts::chooseItem(const QString& title, const QStringList& items) {
    if (items.isEmpty()) return -1;
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    QInputDialog dialog(window);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    prepareInputDialog(dialog, title);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return static_cast<int>(items.indexOf(dialog.textValue()));
}

int DialogPrompts::chooseFromMenu(const QStringList& items) {
    if (items.isEmpty()) return -1;
    QWidget* window = owner();
    ActivationKeeper keeper(window);
    QMenu menu(window);
    for (int i = 0; i < items.size(); ++i) menu.addAction(items[i])->setData(i);
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : -1;
}

int DialogPrompts::chooseLanguage(const std::vector<LanguageChoice>& choices, int preferred) {
    LanguageDialog dialog(choices, preferred, owner());
    return dialog.exec() == QDialog::Accepted ? dialog.chosen() : -1;
}

void DialogPrompts::openExternally(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace phonotab
