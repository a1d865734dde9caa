#include "core/tables/macros/ProjectDataBinding.h"

#include <algorithm>

#include "core/tables/TableCellCommands.h"
#include "core/tables/TableCommands.h"

namespace phonotab {

namespace {


// The data source after `name` in the project's list; the last one stays.
std::optional<std::string> nextSource(const std::vector<std::string>& names, const std::string& name) {
    auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) return std::nullopt;
    if (it + 1 != names.end()) ++it;
    return *it;
}

bool codesRise(const CellBinding& a, const CellBinding& b) {
    const auto x = static_cast<std::uint32_t>(a.parameterCode);
    const auto y = static_cast<std::uint32_t>(b.parameterCode);
    return (x & ~0xFFu) == (y & ~0xFFu) && (x & 0xFFu) + 1 == (y & 0xFFu);
}

}  // namespace

bool BindingsFormSequence(const std::vector<CellBinding>& bindings, const std::vector<std::string>& sourceNames) {
    if (bindings.size() < 2) return true;
    bool oneSource = true;
    bool oneCode = true;
    for (std::size_t i = 1; i < bindings.size(); ++i) {
        const CellBinding& a = bindings[i - 1];
        const CellBinding& b = bindings[i];
        if (a.itemIndex != b.itemIndex) return false;
        if (a.sourceName != b.sourceName || !codesRise(a, b)) oneSource = false;
        const std::optional<std::string> next = nextSource(sourceNames, a.sourceName);
        if (a.parameterCode != b.parameterCode || !next || *next != b.sourceName) oneCode = false;
    }
    return oneSource || oneCode;
}

bool ProjectDataCommand(ReportTable& table, const TableSelection& selection, const ProjectSourceList& sources,
                        CellCommandDialogs& dialogs) {
    const std::vector<std::string> names = sources.sourceNames();
    if (names.empty()) return false;

    std::vector<CellBinding> existing;
    bool formula = false;
    for (CellKey k : selection.cells) {
        if (auto it = table.bindings.find(k); it != table.bindings.end()) existing.push_back(it->second);
        formula = formula || table.formulas.count(k) != 0;
    }
    if ((formula || !BindingsFormSequence(existing, names)) && !dialogs.confirmBindingRemoval()) return false;

    const std::vector<CellKey> cells = FillableCells(table, selection);
    if (cells.empty()) return false;
    ProjectParameterPreset preset;
    if (auto it = table.bindings.find(TopLeftCell(selection)); it != table.bindings.end()) preset.binding = it->second;
    preset.count = static_cast<int>(cells.size());
    const std::optional<ProjectParameterChoice> choice = dialogs.chooseProjectParameter(preset);
    if (!choice) return false;

    const std::optional<std::int32_t> firstType = sources.sourceFileType(choice->sourceName);
    const std::optional<std::int32_t> firstMode = sources.sourceWorkMode(choice->sourceName);
    if (!firstType || !firstMode) {
        dialogs.showMessage(Message(msg::NoSuchSource, choice->sourceName));
        return false;
    }
    // The whole walk is checked before the table changes.
    std::vector<CellBinding> made;
    made.reserve(cells.size());
    CellBinding b{choice->sourceName, choice->parameterCode, choice->itemIndex, -1.0};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (sources.sourceFileType(b.sourceName) != firstType || sources.sourceWorkMode(b.sourceName) != firstMode) {
            dialogs.showMessage(Message(msg::DifferentTypesOrModes));
            return false;
        }
        made.push_back(b);
        if (choice->oneParameterManyFiles) {
            const std::optional<std::string> next = nextSource(names, b.sourceName);
            if (!next) {
                dialogs.showMessage(Message(msg::NoSuchSource, b.sourceName));
                return false;
            }
            b.sourceName = *next;
        } else {
            b.parameterCode = static_cast<std::int32_t>(static_cast<std::uint32_t>(b.parameterCode) + 1u);
        }
    }

    RecordCellsForUndo(table, UndoKind::CellBinding, cells);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        table.bindings[cells[i]] = made[i];
        table.texts.erase(cells[i]);
        table.formulas.erase(cells[i]);
    }
    table.SetModified();
    table.RequestRecalculation();
    return true;
}

}  // namespace phonotab
