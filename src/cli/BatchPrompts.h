// The document controller's questions in the batch tool: nobody is there to
// answer, so nothing is chosen and nothing is offered; messages go to stderr
// and long work runs in place.
#pragma once

#include "core/project/DocumentPrompts.h"

namespace phonotab::cli {

class BatchPrompts : public DocumentPrompts {
public:
    void showMessage(const Message& message) override;
    Answer ask(const Message&, bool) override { return Answer::No; }
    std::string chooseFile(FileQuestion, const std::string&) override { return {}; }
    std::string chooseFolder(const std::string&) override { return {}; }
    void openExternally(const std::string&) override {}
    void runLong(const Message&, const std::function<void(const Progress&)>& work) override { work(Progress()); }
};

}  // namespace phonotab::cli
