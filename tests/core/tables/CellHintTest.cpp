#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "TableTestSupport.h"
#include "core/tables/CellHint.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

class Books final : public ReferenceBookEntries {
public:
    std::optional<double> referenceValue(std::string_view book, long long index) const override {
        if (book != "Нормы" || index < 0 || index > 1) return std::nullopt;
        return index == 0 ? 40.0 : 55.25;
    }
    std::optional<std::string> referenceText(std::string_view book, long long index) const override {
        if (!referenceValue(book, index)) return std::nullopt;
        return index == 0 ? std::string("LAeq днём") : std::string();
    }
};

}  // namespace

TEST(CellHint, SaysWhatTheCellHolds) {
    Books books;
    MemorySources sources;
    sources.list = {{"День", "data\\day.bin", 60101, 2, {5, 95}}};
    const CellHintEnvironment env{&books, &sources};
    Sheet s(3, 4);
    s.text("A1", "две\r\nстроки\nтри").formula("B1", "A1+$B$2").formula("C1", "#Нормы#0").formula("D1", "#Нормы#1");
    s.formula("A2", "#Нормы#7");
    const std::int32_t code = 0x01300100;
    s.t.bindings[at("B2")] = CellBinding{"День", code, CellBinding::Maximum, 70};
    s.t.bindings[at("C2")] = CellBinding{"День", code, CellBinding::FirstPercentile + 1, 70};
    s.t.bindings[at("D2")] = CellBinding{"Ночь", code, CellBinding::Leq, 70};
    s.t.bindings[at("A3")] = CellBinding{"День", code, CellBinding::SourceName, 0};
    s.t.bindings[at("B3")] = CellBinding{"День", code, CellBinding::FirstPercentile + 5, 0};
    s.t.macros[at("B1")] = "RHIDE 2";
    s.t.macros[at("C3")] = "RSHOW 2";

    struct Case {
        const char* cell;
        std::string hint;
    };
    const std::string desc = "День [data\\day.bin]: код " + std::to_string(code) + " ";
    const Case cases[] = {
        {"A1", "две строки три"},
        {"B1", "A1+$B$2 (двойной щелчок)"},
        {"C1", "Нормы, LAeq днём"},
        {"D1", "Нормы, 55.25"},
        {"A2", "#Нормы#7"},
        {"B2", desc + "Максимум"},
        {"C2", desc + "Процентиль L95"},
        {"D2", "В проекте нет файла с внутренним именем 'Ночь'"},
        {"A3", desc + "Имя источника"},
        {"B3", desc + "Процентиль L"},
        {"C3", "(двойной щелчок)"},
        {"D3", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CellHintText(s.t, at(c.cell), env), c.hint) << c.cell;
    // Without books or sources the formula and the missing source are named.
    EXPECT_EQ(CellHintText(s.t, at("C1"), CellHintEnvironment{}), "#Нормы#0");
    EXPECT_EQ(CellHintText(s.t, at("B2"), CellHintEnvironment{}), "В проекте нет файла с внутренним именем 'День'");
}
