// Small helpers of the table tests: cells named like "B2", a table filled from
// such names, and a reference book held in memory.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/CellKey.h"
#include "core/tables/ReferenceBookLookup.h"
#include "core/tables/ReportTable.h"
#include "core/tables/TableDrawing.h"

namespace phonotab::testing {

// "A1" -> (0, 0), "AA3" -> (26, 2).
inline CellKey at(std::string_view ref) {
    CellKey k;
    std::size_t i = 0;
    int col = ref[i++] - 'A';
    if (ref[i] >= 'A' && ref[i] <= 'Z') col = (col + 1) * 26 + (ref[i++] - 'A');
    k.column = col;
    k.row = std::stoi(std::string(ref.substr(i))) - 1;
    return k;
}

class MemoryBooks final : public ReferenceBookLookup {
public:
    std::map<std::string, std::vector<double>, std::less<>> books;
    std::optional<double> referenceValue(std::string_view book, long long index) const override {
        auto it = books.find(book);
        if (it == books.end() || index < 0 || index >= static_cast<long long>(it->second.size())) return std::nullopt;
        return it->second[static_cast<std::size_t>(index)];
    }
};

// A table with texts and formulas placed by cell name.
struct Sheet {
    ReportTable t;
    MemoryBooks books;
    DisplayTexts drawn;  // of the last draw()

    explicit Sheet(int rows = 10, int columns = 10) : t(rows, columns) {}
    Sheet& text(std::string_view ref, std::string s) {
        t.texts[at(ref)] = std::move(s);
        return *this;
    }
    Sheet& formula(std::string_view ref, std::string s) {
        t.formulas[at(ref)] = CellFormula{std::move(s), 0.0, FormulaState::Pending};
        return *this;
    }
    void draw() {
        t.RequestRecalculation();
        drawn = DrawDisplayTexts(t, TableEnvironment{&books, nullptr});
    }
    std::string shown(std::string_view ref) {
        draw();
        return drawn.at(at(ref));
    }
    // The value of a formula placed in the cell (drawn); nothing when it fails.
    std::optional<double> value(std::string_view ref) {
        draw();
        const CellFormula& f = t.formulas.at(at(ref));
        if (f.state != FormulaState::Valid) return std::nullopt;
        return f.value;
    }
};

}  // namespace phonotab::testing
