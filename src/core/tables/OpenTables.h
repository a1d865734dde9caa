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

    // Where an open table lives: in the project (the report window's tables,
    // which the project takes back from the window) or in a file of its own
    // (a table window opened on a .tbl file, which the project never sees).
    enum class Home { Project, OwnFile };

    // Registers an open table (which must outlive its registration); never 0.
    Id add(ReportTable& table, Home home = Home::OwnFile);
    void remove(Id id);
    ReportTable* find(Id id) const;
    // Every registered table, in the order of their identifiers.
    std::vector<ReportTable*> all() const;
    // The open tables that live in files of their own: a rename or remapping
    // of the project's names must reach them too, as the project's own
    // tables are reached through the project.
    std::vector<ReportTable*> outsideProject() const;
    // The identifier of a registered table, 0 if it is not registered.
    Id idOf(const ReportTable& table) const;

private:
    struct Entry {
        ReportTable* table;
        Home home;
    };
    std::map<Id, Entry> tables_;
    Id next_;
};

}  // namespace phonotab
