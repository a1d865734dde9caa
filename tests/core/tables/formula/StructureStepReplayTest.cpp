// The one-pass replay of structural changes against rewriting every text after
// every change, on random texts and random series of insertions and deletions.
#include <gtest/gtest.h>

#include <random>

#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/formula/StructureStepReplay.h"

using namespace phonotab;

namespace {

void shiftEagerly(std::string& text, const StructureStep& s) {
    const CellRect filter = s.columns ? shiftRegionFrom(s.index, 0) : shiftRegionFrom(0, s.index);
    ShiftReferences(text, filter, s.columns ? s.delta : 0, s.columns ? 0 : s.delta, true, false);
}

class RandomCase {
public:
    explicit RandomCase(unsigned seed) : rng_(seed) {}

    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    // Mostly small rows and columns, where the changes happen; some near "ZZ",
    // beyond the table and near the ten-digit rows.
    int column(int columns) {
        if (chance(15)) return pick(std::max(0, MaxReferenceColumn - 3), MaxReferenceColumn);
        return pick(0, std::min(columns + 2, MaxReferenceColumn));
    }
    std::string rowNumber(int rows) {
        if (chance(5)) return std::to_string(pick(999'999'990, 999'999'999));
        std::string digits = std::to_string(pick(chance(5) ? 0 : 1, rows + 3));
        if (chance(10)) digits = "0" + digits;  // written with a leading zero: kept until it moves
        return digits;
    }
    std::string reference(int rows, int columns) {
        std::string s;
        if (chance(20)) s += '$';
        s += columnLetters(column(columns));
        if (chance(20)) s += '$';
        return s + rowNumber(rows);
    }
    std::string argument(int rows, int columns) {
        return chance(50) ? rowNumber(rows) : columnLetters(column(columns));
    }

    std::string text(int rows, int columns) {
        static const char* const separators[] = {"+", "-", "*", ":", ":", ";", " ", ",", "(", ")", "?", ":+", ":-", "#"};
        static const char* const words[] = {"SUM", "ESUM", "2.5", "A0", "#X", "{B1:C2}", "RSHOW ", "RHIDE ",
                                            "INSCP ", "DELCP ", "SCOPY ", "$", "[TEXT]", "ABC1"};
        std::string s;
        const int pieces = pick(1, 14);
        for (int i = 0; i < pieces; ++i) {
            const int what = pick(0, 10);
            if (what == 10)  // show/hide arguments between ":" and a sign
                s += "RHIDE " + argument(rows, columns) + ":" + argument(rows, columns) + "+" + argument(rows, columns);
            else if (what < 4)
                s += reference(rows, columns);
            else if (what < 6)
                s += argument(rows, columns);
            else if (what < 9)
                s += separators[pick(0, std::size(separators) - 1)];
            else
                s += words[pick(0, std::size(words) - 1)];
            if (chance(40)) s += separators[pick(0, std::size(separators) - 1)];
        }
        if (chance(3)) s = "#BOOK#" + std::to_string(pick(0, 9));
        return s;
    }

    // A series the table accepts, often at index 0 and at places the texts name.
    std::vector<StructureStep> steps(int rows, int columns, int count) {
        std::vector<StructureStep> out;
        for (int i = 0; i < count; ++i) {
            StructureStep s;
            s.columns = chance(50);
            int& n = s.columns ? columns : rows;
            s.delta = (n >= 1000 || (n > 1 && chance(50))) ? -1 : 1;
            const int last = s.delta > 0 ? n : n - 1;
            if (chance(25))
                s.index = 0;
            else if (s.columns && chance(10))
                s.index = std::min(last, pick(MaxReferenceColumn - 3, MaxReferenceColumn + 1));
            else
                s.index = pick(0, std::min(last, 12));
            n += s.delta;
            out.push_back(s);
        }
        return out;
    }

private:
    std::mt19937 rng_;
};

}  // namespace

TEST(StructureStepReplay, GivesWhatRewritingAfterEveryStepGives) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        RandomCase r(seed);
        const int rows = r.chance(10) ? r.pick(990, 1000) : r.pick(1, 15);
        const int columns = r.chance(20) ? r.pick(695, 1000) : r.pick(1, 15);
        std::vector<std::string> texts;
        for (int i = r.pick(1, 6); i > 0; --i) texts.push_back(r.text(rows, columns));
        const std::vector<StructureStep> steps = r.steps(rows, columns, r.pick(1, 40));

        std::vector<std::string> expected = texts;
        for (const StructureStep& s : steps)
            for (std::string& t : expected) shiftEagerly(t, s);

        std::vector<std::string*> pointers;
        for (std::string& t : texts) pointers.push_back(&t);
        const std::vector<std::string> before = texts;
        ReplayStructureSteps(pointers, rows, columns, steps);
        for (std::size_t i = 0; i < texts.size(); ++i)
            ASSERT_EQ(texts[i], expected[i]) << "seed " << seed << ", text \"" << before[i] << "\"";
    }
}

TEST(StructureStepReplay, CasesWhereTokensStopMovingOnTheirOwn) {
    struct Case {
        std::string text;
        std::vector<StructureStep> steps;
    };
    const StructureStep deleteRow1{false, 0, -1}, insertRow1{false, 0, 1}, deleteRow2{false, 1, -1};
    const Case cases[] = {
        // A lost second end hands its ":" to the next reference, which becomes one.
        {"A1:A1 B3", {deleteRow1, deleteRow2}},
        // A dropped argument between ":" and "+" makes the sign a token with what follows.
        {"RSHOW 4:5+3;A1", {{false, 4, -1}, deleteRow1}},
        // A row grown to ten digits is no longer read as one.
        {"B999999999+INSCP 999999999", {insertRow1, deleteRow1, {true, 0, 1}}},
        // Leading zeros stay until the reference moves, even when it comes back.
        {"A05+A04", {{false, 2, 1}, {false, 2, -1}}},
    };
    for (const Case& c : cases) {
        std::string expected = c.text;
        for (const StructureStep& s : c.steps) shiftEagerly(expected, s);
        std::string text = c.text;
        ReplayStructureSteps({&text}, 20, 20, c.steps);
        EXPECT_EQ(text, expected) << c.text;
    }
}
