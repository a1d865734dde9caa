// The document controller's questions answered by the desktop: message boxes
// and file dialogs through the program's Prompts, long work off the interface
// thread behind a progress dialog with a cancel button.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/project/DocumentPrompts.h"

namespace phonotab {

class Prompts;
class SettingsStore;

class SessionPrompts : public DocumentPrompts {
public:
    SessionPrompts(Prompts& prompts, SettingsStore& settings) : prompts_(prompts), settings_(settings) {}

    // The window progress dialogs belong to.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    void showMessage(const Message& message) override;
    Answer ask(const Message& question, bool withCancel) override;
    std::string chooseFile(FileQuestion question, const std::string& start) override;
    std::string chooseFolder(const std::string& start) override;
    void openExternally(const std::string& path) override;
    void runLong(const Message& label, const std::function<void(const Progress&)>& work) override;

private:
    Prompts& prompts_;
    SettingsStore& settings_;
    QPointer<QWidget> dialogParent_;
};

}  // namespace phonotab
