// The program's answers to the questions of the table's cell commands and
// macros: the text, formula-book, data-source and parameter dialogs, the file
// dialog for data files, the popup menus of a macro's variants and choices,
// and the message boxes. Simple questions go through the session's prompts,
// so the walks answer them with scripts.
#pragma once

#include <QWidget>

#include <deque>

#include "core/measurement/RecordLayout.h"
#include "core/tables/CellCommandDialogs.h"
#include "core/tables/macros/MacroRunner.h"

namespace phonotab {

class ProjectSession;

// The file side both kinds of question share.
class DataFileQuestions {
public:
    DataFileQuestions(ProjectSession& session, QWidget* parent) : session_(session), parent_(parent) {}
    std::optional<std::string> chooseDataFile();
    std::optional<DataSelection> chooseFileParameter(DataTree& file, const FileParameterRequest& request);
    void showMessage(const Message& message);

protected:
    ProjectSession& session_;
    QWidget* parent_;
};

class TableCellDialogs final : public CellCommandDialogs, private DataFileQuestions {
public:
    TableCellDialogs(ProjectSession& session, QWidget* parent) : DataFileQuestions(session, parent) {}

    bool confirmBindingRemoval() override;
    std::optional<std::string> enterText(const std::string& preset) override;
    std::optional<ProjectParameterChoice> chooseProjectParameter(const ProjectParameterPreset& preset) override;
    std::optional<std::string> chooseReferenceFormula(const std::string& preset) override;
    std::optional<std::string> chooseDataSource(const std::string& current) override;
    std::optional<std::string> chooseDataFile() override { return DataFileQuestions::chooseDataFile(); }
    std::optional<DataSelection> chooseFileParameter(DataTree& file, const FileParameterRequest& request) override {
        return DataFileQuestions::chooseFileParameter(file, request);
    }
    void showMessage(const Message& message) override { DataFileQuestions::showMessage(message); }
};

class TableMacroDialogs final : public MacroDialogs, private DataFileQuestions {
public:
    TableMacroDialogs(ProjectSession& session, QWidget* parent) : DataFileQuestions(session, parent) {}

    // Popup menus at the mouse pointer, as the macro's author expects.
    std::optional<std::size_t> chooseVariant(const std::vector<std::string>& variants) override;
    std::optional<std::size_t> chooseOption(const std::string& title, const std::vector<std::string>& options) override;
    std::optional<std::string> chooseDataFile() override { return DataFileQuestions::chooseDataFile(); }
    std::optional<DataSelection> chooseFileParameter(DataTree& file, const FileParameterRequest& request) override {
        return DataFileQuestions::chooseFileParameter(file, request);
    }
    void showMessage(const Message& message) override { DataFileQuestions::showMessage(message); }
};

}  // namespace phonotab
