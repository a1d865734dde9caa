// The questions and choices of the cell commands of a report table. The table
// window implements them with its dialogs, the tests with scripted answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/tables/CellBinding.h"
#include "core/tables/DataFileAccess.h"

namespace phonotab {

// What the parameter dialog of "Данные из проекта" starts with: the binding of
// the selection's top-left cell, if any, and the number of cells to bind.
struct ProjectParameterPreset {
    std::optional<CellBinding> binding;
    int count = 1;
};

// What it returns.
struct ProjectParameterChoice {
    std::string sourceName;
    std::int32_t parameterCode = 0;
    std::int32_t itemIndex = CellBinding::Leq;
    bool oneParameterManyFiles = false;  // "один параметр по нескольким файлам"
};

class CellCommandDialogs : public DataFileDialogs {
public:
    // "Старая привязка к данным будет удалена.\nВсе равно продолжить?" (234),
    // Yes/No; true for Yes.
    virtual bool confirmBindingRemoval() = 0;
    // The text dialog ("Введите текст"); nothing when cancelled.
    virtual std::optional<std::string> enterText(const std::string& preset) = 0;
    // The parameter dialog ("Выбор параметра") for project sources.
    virtual std::optional<ProjectParameterChoice> chooseProjectParameter(const ProjectParameterPreset& preset) = 0;
    // The reference-book dialog; returns a formula "#book#index".
    virtual std::optional<std::string> chooseReferenceFormula(const std::string& preset) = 0;
    // The choice of another data source of the project.
    virtual std::optional<std::string> chooseDataSource(const std::string& current) = 0;
};

}  // namespace phonotab
