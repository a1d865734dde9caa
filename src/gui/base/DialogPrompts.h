// The desktop's answers to the program's questions: message boxes, file and
// folder dialogs, input dialogs, the language dialog.
#pragma once

#include <QPointer>
#include <QWidget>

#include "gui/base/Prompts.h"

namespace phonotab {

class DialogPrompts : public Prompts {
public:
    // The window the dialogs belong to when no window of the program is
    // active (may change, may be null).
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const QString& text) override;
    Answer ask(const QString& text, bool withCancel) override;
    QString openFilePath(const QString& title, const QString& filter, const QString& folder) override;
    QStringList openFilePaths(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFilePath(const QString& title, const QString& filter, const QString& suggested,
                         const QString& defaultSuffix, OverwriteCheck check = OverwriteCheck::ByDialog) override;
    QString chooseFolder(const QString& title, const QString& start) override;
    std::optional<QString> askText(const QString& title, const QString& preset) override;
    int chooseItem(const QString& title, const QStringList& items) override;
    int chooseFromMenu(const QStringList& items) override;
    int chooseLanguage(const std::vector<LanguageChoice>& choices, int preferred) override;
    void openExternally(const QString& path) override;

    // The window a dialog opened now belongs to: the modal dialog or the window
    // the user works in (a table window's question stays over the table window),
    // the main window otherwise.
    QWidget* owner() const;

private:
    QPointer<QWidget> parent_;
};

}  // namespace phonotab
