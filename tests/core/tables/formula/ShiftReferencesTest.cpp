#include <gtest/gtest.h>

#include "core/tables/formula/ShiftReferences.h"

using namespace phonotab;

namespace {

std::string shifted(std::string text, std::optional<CellRect> filter, int dc, int dr, bool insertDelete, bool fixing) {
    ShiftReferences(text, filter, dc, dr, insertDelete, fixing);
    return text;
}

// Structural changes: row 5 (index 4) inserted or deleted.
std::string deleteRow5(const std::string& t) { return shifted(t, shiftRegionFrom(0, 4), 0, -1, true, false); }
std::string insertRow5(const std::string& t) { return shifted(t, shiftRegionFrom(0, 4), 0, 1, true, false); }
std::string deleteColumnB(const std::string& t) { return shifted(t, shiftRegionFrom(1, 0), -1, 0, true, false); }

}  // namespace

TEST(ShiftReferences, DeletingARow) {
    EXPECT_EQ(deleteRow5("A5"), "?");
    EXPECT_EQ(deleteRow5("SUM(A3:A5)"), "SUM(A3:A4)");
    EXPECT_EQ(deleteRow5("SUM(A5:A8)"), "SUM(A5:A7)");
    EXPECT_EQ(deleteRow5("SUM(A5:A5)"), "SUM(A5:A4)");
    EXPECT_EQ(deleteRow5("A9+A4+$B$9"), "A8+A4+$B$8");  // "$" does not stop structural shifts
    EXPECT_EQ(deleteRow5("SUM(A1:A9:2)"), "SUM(A1:A8:2)");
}

TEST(ShiftReferences, InsertingRowsAndDeletingColumns) {
    EXPECT_EQ(insertRow5("A5+$A$5+A4"), "A6+$A$6+A4");
    EXPECT_EQ(deleteColumnB("B1+C1+A1"), "?+B1+A1");
    EXPECT_EQ(shifted("Z1+AZ1", shiftRegionFrom(0, 0), 1, 0, true, false), "AA1+BA1");
    // A column beyond "ZZ" cannot be written.
    EXPECT_EQ(shifted("ZZ1", shiftRegionFrom(0, 0), 1, 0, true, false), "?");
}

TEST(ShiftReferences, ReplicationHonoursFixing) {
    EXPECT_EQ(shifted("A1+$B$1+C$1+$D1", std::nullopt, 0, 1, false, true), "A2+$B$1+C$1+$D2");
    EXPECT_EQ(shifted("A1+$B$1+C$1+$D1", std::nullopt, 1, 0, false, true), "B1+$B$1+D$1+$D1");
    EXPECT_EQ(shifted("A1", std::nullopt, -1, 0, false, true), "?");
}

TEST(ShiftReferences, WhatIsNoReferenceStaysAsItIs) {
    // Lower case, numbers, function names, braces, book formulas and macro value names.
    EXPECT_EQ(shifted("a1+ESUM(B2:D2)*2.5E3", std::nullopt, 0, 1, false, true), "a1+ESUM(B3:D3)*2.5E3");
    EXPECT_EQ(shifted("A1={c1m2b+1}", std::nullopt, 0, 1, false, true), "A2={c1m2b+1}");
    EXPECT_EQ(shifted("#L1#2", shiftRegionFrom(0, 0), 0, 1, true, false), "#L1#2");
    EXPECT_EQ(shifted("#Limits A1# 2 ", shiftRegionFrom(0, 0), 0, 1, true, false), "#Limits A1# 2 ");
    EXPECT_EQ(shifted("#L1=A1; B1=#L1", std::nullopt, 0, 1, false, true), "#L1=A2; B2=#L1");
    EXPECT_EQ(shifted("A1B2+ABC1+A$", std::nullopt, 0, 1, false, true), "A1B2+ABC1+A$");
}

TEST(ShiftReferences, ArgumentsOfMacroCommands) {
    // Only in insert/delete mode; rows before the filter stay; a deleted row is
    // dropped from RSHOW/RHIDE and kept by the copy commands.
    EXPECT_EQ(deleteRow5("RHIDE 3,5,7"), "RHIDE 3,,6");
    EXPECT_EQ(deleteRow5("INSCP 5,7"), "INSCP 5,6");
    EXPECT_EQ(insertRow5("RSHOW(5); A5"), "RSHOW(6); A6");
    EXPECT_EQ(deleteColumnB("RHIDE B, C, A"), "RHIDE , B, A");
    EXPECT_EQ(deleteRow5("RHIDE +1"), "RHIDE +1");
    EXPECT_EQ(shifted("RHIDE 5", std::nullopt, 0, 1, false, true), "RHIDE 5");
    // SCOPY: no filter, "$" honoured.
    EXPECT_EQ(shifted("SCOPY 4, 2; A2+$A$2", std::nullopt, 0, 2, true, true), "SCOPY 6, 4; A4+$A$2");
}

TEST(ShiftReferences, CutAndPasteMovesOnlyTheCutBlock) {
    const CellRect block{0, 0, 2, 2};  // A1:B2
    EXPECT_EQ(shifted("A1+B2+C3", block, 2, 3, false, false), "C4+D5+C3");
}

TEST(ShiftReferences, ColumnLetters) {
    EXPECT_EQ(columnLetters(0), "A");
    EXPECT_EQ(columnLetters(25), "Z");
    EXPECT_EQ(columnLetters(26), "AA");
    EXPECT_EQ(columnLetters(52), "BA");
    EXPECT_EQ(columnLetters(MaxReferenceColumn), "ZZ");
}
