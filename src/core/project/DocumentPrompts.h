// What the document controller needs from the user and from the desktop: its
// questions, its messages and the progress of its long work. The desktop
// answers with dialogs, the batch tool without asking, the tests with
// scripted answers.
#pragma once

#include <functional>
#include <string>

#include "core/base/Message.h"
#include "core/base/Progress.h"

namespace phonotab {

class DocumentPrompts {
public:
    enum class Answer { Yes, No, Cancel };
    enum class FileQuestion { OpenProject, SaveProjectAs, OpenDataFile };

    virtual ~DocumentPrompts() = default;

    virtual void showMessage(const Message& message) = 0;
    // Yes and No, and Cancel when asked for.
    virtual Answer ask(const Message& question, bool withCancel) = 0;
    // A file to open or to save as (start: a folder or the suggested file);
    // empty when the user cancelled.
    virtual std::string chooseFile(FileQuestion question, const std::string& start) = 0;
    // The project's working folder; empty when the user cancelled.
    virtual std::string chooseFolder(const std::string& start) = 0;
    // Opens a file with the desktop's program for it (a reference-book file
    // that could not be read, for the user to mend).
    virtual void openExternally(const std::string& path) = 0;
    // Runs long work, showing its progress under the label and offering to
    // stop it; returns when the work has ended.
    virtual void runLong(const Message& label, const std::function<void(const Progress&)>& work) = 0;
};

}  // namespace phonotab
