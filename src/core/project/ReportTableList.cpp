#include "core/project/ReportTableList.h"

#include <utility>

namespace phonotab {

bool SwapReportTables(ProjectState& project, std::size_t a, std::size_t b) {
    if (a >= project.tables.size() || b >= project.tables.size()) return false;
    if (a == b) return true;
    std::swap(project.tables[a], project.tables[b]);
    for (Illustration& ill : project.illustrations) {
        if (ill.table == a)
            ill.table = b;
        else if (ill.table == b)
            ill.table = a;
    }
    return true;
}

std::vector<std::size_t> IllustrationsOfTable(const ProjectState& project, std::size_t table) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < project.illustrations.size(); ++i)
        if (project.illustrations[i].table == table) out.push_back(i);
    return out;
}

bool RemoveReportTable(ProjectState& project, std::size_t table) {
    if (table >= project.tables.size()) return false;
    project.tables.erase(project.tables.begin() + static_cast<std::ptrdiff_t>(table));
    std::erase_if(project.illustrations, [&](const Illustration& ill) { return ill.table == table; });
    for (Illustration& ill : project.illustrations)
        if (ill.table && *ill.table > table) --*ill.table;
    return true;
}

}  // namespace phonotab
