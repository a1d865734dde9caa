// The report tables open in the program, each under an identifier. A cell
// block on the clipboard names its source table by this identifier, so a paste
// finds the table if it is still open and finds nothing once it was closed.
//
// Identifiers are not handed out twice (short of four billion tables), and start at a
// random value per process, so that a block put on the clipboard by another
// running copy of the program does not name one of ours.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "core/tables/ReportTable.h"

namespace phonotab {

class OpenTables {
public:
    using Id = std::uint32_t;

    OpenTables();
    // Identifiers from firstId on (tests).
    explicit OpenTables(Id firstId);

    // Registers an open table (which must outlive its registration); never 0.
    Id add(ReportTable& table);
    void remove(Id id);
    ReportTable* find(Id id) const;
    // Every registered table, in the order of their identifiers.
    std::vector<ReportTable*> all() const;
    // The identifier of a registered table, 0 if it is not registered.
    Id idOf(const ReportTable& table) const;

private:
    std::map<Id, ReportTable*> tables_;
    Id next_;
};

}  // namespace phonotab
