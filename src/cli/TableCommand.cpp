// phonotab-cli table render T.tbl [--refbooks RefMap.txt]
// phonotab-cli table save T.tbl -o OUT.tbl
// phonotab-cli table show T.tbl
// Report tables in batch: the display texts after a full drawing, a table
// written back as the current file version, and the table's content as JSON.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>

#include "CliContext.h"
#include "JsonWriter.h"
#include "core/project/ReferenceBookFile.h"
#include "core/tables/TableDrawing.h"
#include "core/tables/io/TableFile.h"

namespace phonotab::cli {

CLI::App* tableCommandGroup(CLI::App& app) {
    for (CLI::App* sub : app.get_subcommands([](CLI::App* a) { return a->get_name() == "table"; })) return sub;
    CLI::App* group = app.add_subcommand("table", "report tables: render, save, show, html, xlsx");
    group->require_subcommand(1);
    return group;
}

namespace {

int runRender(const CliContext& ctx, const std::string& path, const std::string& refbooks) {
    ReportTable table;
    if (Status s = TableFile::Load(table, path, nullptr); !s) return fail(s.error());
    ReferenceBooks books;
    if (!refbooks.empty()) {
        std::error_code ec;
        if (!std::filesystem::exists(refbooks, ec)) return fail(Message(msg::CannotOpen, refbooks));
        if (Status s = LoadReferenceBooks(refbooks, books); !s) return fail(s.error());
    }
    const DisplayTexts shown = DrawDisplayTexts(table, TableEnvironment{&books, nullptr});
    std::string out;
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (c > 0) out.push_back('\t');
            out += shown.at(c, r);
        }
        out.push_back('\n');
    }
    const std::string bytes = encodeForOutput(out, ctx.encoding);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return kExitOk;
}

int runTableSave(const std::string& path, const std::string& outPath) {
    ReportTable table;
    if (Status s = TableFile::Load(table, path, nullptr); !s) return fail(s.error());
    if (Status s = TableFile::Save(table, outPath); !s) return fail(s.error());
    return kExitOk;
}

void writeTextMap(JsonWriter& j, const char* name, const std::map<CellKey, std::string>& m) {
    j.key(name).beginArray();
    for (const auto& [k, text] : m) {
        j.beginObject();
        j.field("column", k.column);
        j.field("row", k.row);
        j.field("text", text);
        j.endObject();
    }
    j.endArray();
}

int runTableShow(const std::string& path) {
    ReportTable t;
    if (Status s = TableFile::Load(t, path, nullptr); !s) return fail(s.error());
    JsonWriter j;
    j.beginObject();
    j.field("name", t.name);
    j.field("rows", t.rowCount());
    j.field("columns", t.columnCount());
    j.key("cells").beginArray();
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c = 0; c < t.columnCount(); ++c) {
            const TableCell& cell = t.cell(c, r);
            j.beginObject();
            j.field("column", c);
            j.field("row", r);
            j.field("width", cell.width);
            j.field("height", cell.height);
            j.field("flags", cell.flags);
            j.field("background", cell.background);
            j.field("textColour", cell.textColour);
            j.field("alignment", cell.alignment);
            j.field("font", cell.font);
            j.field("fontFace", cell.fontFace);
            j.field("numberFormat", cell.numberFormat);
            j.endObject();
        }
    j.endArray();
    writeTextMap(j, "texts", t.texts);
    j.key("bindings").beginArray();
    for (const auto& [k, b] : t.bindings) {
        j.beginObject();
        j.field("column", k.column);
        j.field("row", k.row);
        j.field("source", b.sourceName);
        j.field("parameterCode", b.parameterCode);
        j.field("item", b.itemIndex);
        j.field("value", b.value);
        j.endObject();
    }
    j.endArray();
    j.key("formulas").beginArray();
    for (const auto& [k, f] : t.formulas) {
        j.beginObject();
        j.field("column", k.column);
        j.field("row", k.row);
        j.field("text", f.text);
        j.endObject();
    }
    j.endArray();
    writeTextMap(j, "macros", t.macros);
    j.field("carriedValue", t.carriedValue);
    j.key("graph").beginObject();
    j.key("series").beginArray();
    for (const GraphSeriesSettings& s : t.graph.series) {
        j.beginObject();
        j.field("fillColour", s.fillColour);
        j.field("lineColour", s.lineColour);
        j.field("lineWidth", s.lineWidth);
        j.field("type", s.graphType);
        j.field("range", s.cellRange);
        j.endObject();
    }
    j.endArray();
    j.field("xMarkingRange", t.graph.xMarkingRange);
    j.field("xCaption", t.graph.xCaption);
    j.field("yCaption", t.graph.yCaption);
    j.field("optionWord", t.graph.optionWord);
    j.field("axisFlags", t.graph.axisFlags);
    j.field("manualMinimum", t.graph.manualMinimum);
    j.field("manualMaximum", t.graph.manualMaximum);
    j.endObject();
    j.endObject();
    std::fputs(j.str().c_str(), stdout);
    return kExitOk;
}

void addTableCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    CLI::App* group = tableCommandGroup(app);

    auto* render = group->add_subcommand("render", "print the display text of every cell after a full drawing");
    auto renderPath = std::make_shared<std::string>();
    auto refbooks = std::make_shared<std::string>();
    render->add_option("FILE", *renderPath, "table file (.tbl)")->required();
    render->add_option("--refbooks", *refbooks, "reference books (RefMap.txt) for \"#book#index\" formulas");
    commands.emplace_back(render, [&ctx, renderPath, refbooks] { return runRender(ctx, *renderPath, *refbooks); });

    auto* save = group->add_subcommand("save", "read a table file and write it as the current version");
    auto savePath = std::make_shared<std::string>();
    auto outPath = std::make_shared<std::string>();
    save->add_option("FILE", *savePath, "table file (.tbl)")->required();
    save->add_option("-o,--output", *outPath, "file to write")->required();
    commands.emplace_back(save, [savePath, outPath] { return runTableSave(*savePath, *outPath); });

    auto* show = group->add_subcommand("show", "print a table's cells and content maps as JSON");
    auto showPath = std::make_shared<std::string>();
    show->add_option("FILE", *showPath, "table file (.tbl)")->required();
    commands.emplace_back(show, [showPath] { return runTableShow(*showPath); });
}

const bool tableCommandsRegistered = registerCommand(&addTableCommand);

}  // namespace

}  // namespace phonotab::cli
