// Reads a written .xlsx workbook back with an independent reader (openpyxl of
// the system's Python) and returns what it sees as "key -> value" pairs:
//   "merges"                      merged ranges, sorted, blank-separated ("B2:C3 E1:F1")
//   "B2.value" "B2.type"          the value (newlines as "\n") and its Python type
//   "B2.font" "B2.size" "B2.bold" "B2.italic" "B2.colour"
//   "B2.fill" "B2.numfmt" "B2.halign" "B2.valign" "B2.wrap"
//   "row3.height" "row3.hidden"   (1-based rows, as the sheet numbers them)
//   "colC.width" "colC.hidden"
// Cells without value and style are left out. "error" holds what went wrong.
#pragma once

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "TestSupport.h"

namespace phonotab::testing {

inline std::map<std::string, std::string> readSheetWithOpenpyxl(const std::string& xlsxPath) {
    static const char* script = R"PY(
import sys, openpyxl
def esc(s):
    return str(s).replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t").replace("\r", "\\r")
def num(x):
    return "%g" % x if x is not None else ""
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
print("merges\t" + " ".join(sorted(str(r) for r in ws.merged_cells.ranges)))
for row in ws.iter_rows():
    for c in row:
        if c.value is None and not c.has_style:
            continue
        k = c.coordinate
        print(k + ".value\t" + ("" if c.value is None else esc(c.value)))
        print(k + ".type\t" + type(c.value).__name__)
        f = c.font
        print(k + ".font\t" + esc(f.name))
        print(k + ".size\t" + num(f.sz))
        print(k + ".bold\t" + str(int(bool(f.b))))
        print(k + ".italic\t" + str(int(bool(f.i))))
        print(k + ".colour\t" + (str(f.color.rgb) if f.color is not None else ""))
        print(k + ".fill\t" + (str(c.fill.fgColor.rgb) if c.fill.fill_type == "solid" else ""))
        print(k + ".numfmt\t" + c.number_format)
        print(k + ".halign\t" + str(c.alignment.horizontal))
        print(k + ".valign\t" + str(c.alignment.vertical))
        print(k + ".wrap\t" + str(int(bool(c.alignment.wrap_text))))
for i, d in ws.row_dimensions.items():
    print("row%d.height\t%s" % (i, num(d.height)))
    print("row%d.hidden\t%d" % (i, int(bool(d.hidden))))
for letter, d in ws.column_dimensions.items():
    print("col%s.width\t%s" % (letter, num(d.width)))
    print("col%s.hidden\t%d" % (letter, int(bool(d.hidden))))
)PY";
    std::map<std::string, std::string> out;
    ScratchDir dir;
    {
        std::ofstream(dir.file("read_sheet.py")) << script;
    }
    // The system interpreter: it is the one that has openpyxl.
    const std::string cmd = "/usr/bin/python3 '" + dir.file("read_sheet.py") + "' '" + xlsxPath + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) {
        out["error"] = "cannot start /usr/bin/python3";
        return out;
    }
    std::string text;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
    if (pclose(p) != 0) {
        out["error"] = text;
        return out;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(pos, end - pos);
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) out[line.substr(0, tab)] = line.substr(tab + 1);
        pos = end + 1;
    }
    return out;
}

// The value of a key, "<none>" when the reader did not report it.
inline std::string sheetValue(const std::map<std::string, std::string>& sheet, const std::string& key) {
    auto it = sheet.find(key);
    return it == sheet.end() ? "<none>" : it->second;
}

}  // namespace phonotab::testing
