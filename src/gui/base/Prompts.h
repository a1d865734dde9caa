// Everything the program asks the user or shows in a box, behind one small
// interface: the desktop answers with dialogs, the tests with scripted answers.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "core/base/LanguageList.h"
#include "core/base/Message.h"

namespace phonotab {

class Prompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompts() = default;

    // A message box titled "Phonotab" with an OK button.
    virtual void showMessage(const QString& text) = 0;
    void showMessage(const Message& m) { showMessage(QString::fromStdString(m.text())); }
    // A question titled "Phonotab": Yes and No, and Cancel when asked for.
    virtual Answer ask(const QString& text, bool withCancel) = 0;

    // File and folder choosers; an empty text means the user cancelled.
    // Filters are in Qt's form ("Name (*.a *.b);;All Files (*)").
    virtual QString openFilePath(const QString& title, const QString& filter, const QString& folder) = 0;
    // Several files at once; an empty list means the user cancelled.
    virtual QStringList openFilePaths(const QString& title, const QString& filter, const QString& folder) {
        const QString one = openFilePath(title, filter, folder);
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    // Who asks before a chosen file that exists is replaced: the dialog, or
    // the caller with a question of its own (then the dialog does not).
    enum class OverwriteCheck { ByDialog, ByCaller };
    virtual QString saveFilePath(const QString& title, const QString& filter, const QString& suggested,
                                 const QString& defaultSuffix, OverwriteCheck check = OverwriteCheck::ByDialog) = 0;
    virtual QString chooseFolder(const QString& title, const QString& start) = 0;

    // A one-line text; none when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& preset) = 0;
    // One of the items; -1 when cancelled.
    virtual int chooseItem(const QString& title, const QStringList& items) = 0;
    // One of a few items picked from a popup menu at the mouse pointer (the
    // zone under the pointer when several overlap); -1 when dismissed.
    virtual int chooseFromMenu(const QStringList& items) { return chooseItem(QString(), items); }
    // The language dialog with the table at `preferred` selected (the user's
    // locale's language; -1: none): the position of the chosen table, -1 when
    // cancelled.
    virtual int chooseLanguage(const std::vector<LanguageChoice>& choices, int preferred) = 0;

    // Opens a file with the desktop's program for it; failures are not reported.
    virtual void openExternally(const QString& path) = 0;
};

}  // namespace phonotab
