// Table files (".tbl"): the writer (always version 12) and the reader of every
// version from 1 to 12.
//
// Layout, little-endian and unpadded; a string is an int32 count of UTF-16 code
// units followed by the units:
//   "TBLS" 0, int32 version, int32 columns, int32 rows       (17 bytes)
//   cells row by row: [width (row 0 only)] height flags background textColour   (v2)
//                     alignment font face                                      (v3)
//                     numberFormat                                             (v6)
//   texts: count, {column row text}                                            (v2)
//   bindings: count, {column row source code item value}   (before v12: a, b instead of code)
//   int32 carried value                                                        (v2)
//   formulas: count, {column row text}                                         (v4)
//   name                                                                        (v5)
//   4 x {fill line width type range}, xMarking xCaption yCaption               (v7)
//   option word (v8), axis flags + an empty string (v9), min max (v10)
//   macros: count, {column row text}                                           (v11)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/Bytes.h"
#include "core/base/Result.h"
#include "core/tables/DataSourceDirectory.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

struct TableFile {
    static constexpr std::int32_t Version = 12;

    // The file's bytes.
    static std::vector<std::uint8_t> SaveBytes(const ReportTable& table);
    // Writes the table to path (through a temporary file) and clears its
    // modified flag. 105 when the file cannot be created.
    static Status Save(ReportTable& table, const std::string& path);

    // Reads a table. A wrong magic, a count of zero or below, or above 1000 gives
    // 227 "Ошибка в формате файла" and leaves the table as it was; a file that
    // ends early gives the fields read so far and defaults for the rest. path
    // gives the name of files older than version 5. sources (may be null)
    // converts the bindings of files older than version 12.
    static Status LoadBytes(ReportTable& table, ByteSpan bytes, const std::string& path,
                            const DataSourceDirectory* sources);
    // The number of cells the header claims (columns x rows), 0 when the bytes
    // are not a table. A header of a few bytes may claim a million cells that
    // the load fills with defaults: readers of many tables bound their total.
    static std::int64_t ClaimedCells(ByteSpan bytes);
    // 105 when the file cannot be read.
    static Status Load(ReportTable& table, const std::string& path, const DataSourceDirectory* sources);
};

}  // namespace phonotab
