#include "core/tables/io/TableClipboardText.h"

#include <algorithm>
#include <vector>

#include "core/base/TextCodec.h"
#include "core/tables/TableCommands.h"

namespace phonotab {

std::string TableSelectionText(const ReportTable& table, const DisplayTexts& shown, CellRect rect) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, table.columnCount());
    rect.bottom = std::min(rect.bottom, table.rowCount());
    std::string out;
    if (rect.empty()) return out;
    for (int r = rect.top; r < rect.bottom; ++r) {
        if (r > rect.top) out += "\r\n";
        for (int c = rect.left; c < rect.right; ++c) {
            if (c > rect.left) out.push_back('\t');
            if (!table.covered(c, r)) out += shown.at(c, r);
        }
    }
    return out;
}

namespace {

// One pasted part and the cell it goes to.
struct PastedPart {
    CellKey key;
    std::string_view text;
};

// The parts of the text that land inside the table, without copying the text:
// lines beyond the last row and parts beyond the last column are dropped.
std::vector<PastedPart> partsInside(const ReportTable& table, CellKey first, std::string_view text) {
    std::vector<PastedPart> parts;
    int row = first.row;
    std::size_t pos = 0;
    while (pos < text.size() && row < table.rowCount()) {
        std::size_t end = text.find('\n', pos);
        const bool lastLine = end == std::string_view::npos;
        if (lastLine) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!lastLine && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        int column = first.column;
        std::size_t p = 0;
        while (column < table.columnCount()) {
            const std::size_t tab = line.find('\t', p);
            const std::size_t partEnd = tab == std::string_view::npos ? line.size() : tab;
            parts.push_back({{column, row}, line.substr(p, partEnd - p)});
            if (tab == std::string_view::npos) break;
            p = tab + 1;
            ++column;
        }
        pos = end + 1;
        ++row;
    }
    return parts;
}

}  // namespace

bool PasteTableText(ReportTable& table, CellKey first, std::string_view text) {
    if (!table.inside(first) || text.empty()) return false;
    const std::string utf8 = decodeLocal8Bit(text);
    const std::vector<PastedPart> parts = partsInside(table, first, utf8);
    std::vector<CellKey> keys;
    keys.reserve(parts.size());
    for (const PastedPart& p : parts) keys.push_back(p.key);
    RecordCellsForUndo(table, UndoKind::CellsPasted, keys);
    for (const PastedPart& p : parts) {
        table.texts[p.key] = std::string(p.text);
        table.bindings.erase(p.key);
        table.formulas.erase(p.key);
    }
    table.SetModified();
    table.RequestRecalculation();
    return true;
}

}  // namespace phonotab
