// Scripted answers to the program's questions, and a record of what it showed.
#pragma once

#include <deque>
#include <optional>

#include "gui/base/Prompts.h"

namespace phonotab::testing {

class ScriptedPrompts : public Prompts {
public:
    // Answers, taken in order; a question without a scripted answer counts as
    // unexpected and is cancelled.
    std::deque<Answer> answers;
    std::deque<QString> files;    // open and save dialogs
    std::deque<QStringList> fileLists;  // dialogs that choose several files
    std::deque<QString> folders;  // folder choosers
    std::deque<QString> texts;    // one-line texts; a null text cancels
    std::deque<int> items;
    std::deque<int> languages;

    QStringList messages;   // texts of the message boxes shown
    QStringList questions;  // texts of the questions asked
    QStringList opened;     // files given to the desktop's program
    int unexpected = 0;

    void showMessage(const QString& text) override { messages << text; }
    Answer ask(const QString& text, bool withCancel) override {
        questions << text;
        return take(answers, withCancel ? Answer::Cancel : Answer::No);
    }
    QString openFilePath(const QString&, const QString&, const QString&) override { return take(files, QString()); }
    QStringList openFilePaths(const QString&, const QString&, const QString&) override {
        return take(fileLists, QStringList());
    }
    QString saveFilePath(const QString&, const QString&, const QString&, const QString&,
                         OverwriteCheck = OverwriteCheck::ByDialog) override {
        return take(files, QString());
    }
    QString chooseFolder(const QString&, const QString&) override { return take(folders, QString()); }
    std::optional<QString> askText(const QString&, const QString&) override {
        const QString text = take(texts, QString());
        if (text.isNull()) return std::nullopt;
        return text;
    }
    int chooseItem(const QString&, const QStringList& offered) override {
        offeredItems = offered;
        return take(items, -1);
    }
    int chooseLanguage(const std::vector<LanguageChoice>& choices, int preferred) override {
        offeredLanguages = choices;
        preferredLanguage = preferred;
        return take(languages, -1);
    }
    void openExternally(const QString& path) override { opened << path; }

    QStringList offeredItems;  // the last list a chooser offered
    std::vector<LanguageChoice> offeredLanguages;
    int preferredLanguage = -1;

private:
    template <typename T, typename D>
    T take(std::deque<T>& queue, D fallback) {
        if (queue.empty()) {
            ++unexpected;
            return fallback;
        }
        T v = std::move(queue.front());
        queue.pop_front();
        return v;
    }
};

}  // namespace phonotab::testing
