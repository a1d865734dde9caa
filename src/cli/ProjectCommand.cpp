// phonotab-cli project show P.pht | project save P.pht -o OUT.pht
// The project file as JSON, and its rewriting in the current version.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "BatchPrompts.h"
#include "CliContext.h"
#include "JsonWriter.h"
#include "core/project/DocumentController.h"
#include "core/project/ProjectPaths.h"
#include "core/project/RecalculateProject.h"

#include <filesystem>
#include <sstream>

namespace phonotab::cli {

namespace {

void writeSelection(JsonWriter& j, const ParameterSelection& s, bool withSubs) {
    j.beginObject();
    j.field("parameterId", static_cast<std::int64_t>(s.parameterId));
    j.key("flags").beginArray();
    for (const StoredFlag* f : SelectionFlags::inStoredOrder(s.flags)) j.value(f->stored());
    j.endArray();
    j.field("colour", static_cast<std::int64_t>(s.colour));
    j.field("caption", s.caption);
    if (withSubs) {
        j.key("subSelections").beginArray();
        for (const auto& sub : s.subSelections) writeSelection(j, sub, false);
        j.endArray();
    }
    j.endObject();
}

void writeEntry(JsonWriter& j, const ProjectFileEntry& e) {
    j.beginObject();
    j.field("path", e.path);
    j.field("workMode", static_cast<std::int32_t>(e.workMode));
    j.field("referenceName", e.referenceName);
    j.field("fileType", e.fileType);
    j.field("instrumentCode", e.instrumentCode);
    j.key("selections").beginArray();
    for (const auto& s : e.selections) writeSelection(j, s, true);
    j.endArray();
    j.field("rangeFirst", e.rangeFirst);
    j.field("rangeCount", e.rangeCount);
    j.field("viewRow", e.viewRow);
    j.field("recordInterval", e.recordInterval);
    j.field("scanInterval", e.scanInterval);
    j.field("scanStep", e.scanStep);
    j.field("histogramLow", e.histogramLow);
    j.field("histogramStep", e.histogramStep);
    j.field("histogramClasses", e.histogramClasses);
    j.field("histogramExcludeEdges", e.histogramExcludeEdges.stored());
    j.key("percentiles").beginArray();
    for (double p : e.percentiles) j.value(p);
    j.endArray();
    j.key("ranges").beginArray();
    for (const auto& z : e.ranges) {
        j.beginObject();
        j.field("begin", z.begin);
        j.field("end", z.end);
        j.field("exclusion", z.exclusion);
        j.key("corrections").beginArray();
        for (double c : z.corrections) j.value(c);
        j.endArray();
        j.endObject();
    }
    j.endArray();
    j.field("scanning", e.scanning.stored());
    j.endObject();
}

std::string projectJson(const ProjectState& s) {
    JsonWriter j;
    j.beginObject();
    j.field("version", s.version);
    j.key("currentFile");
    writeEntry(j, s.currentFile);
    j.key("customColours").beginArray();
    for (auto c : s.customColours) j.value(static_cast<std::int64_t>(c));
    j.endArray();
    j.field("workingFolder", s.workingFolder);
    j.key("windows").beginArray();
    for (const auto& w : s.windows) {
        j.beginObject();
        j.field("kind", static_cast<int>(w.kind));
        j.key("rect").beginArray().value(w.rect.left).value(w.rect.top).value(w.rect.right).value(w.rect.bottom).endArray();
        j.endObject();
    }
    j.endArray();
    j.field("currentColour", static_cast<std::int64_t>(s.currentColour));
    j.key("files").beginArray();
    for (const auto& e : s.files) writeEntry(j, e);
    j.endArray();
    j.field("groupByParameter", s.groupByParameter.stored());
    j.field("currentIndex", s.currentIndex);
    j.key("reportTexts").beginArray();
    for (const auto& t : s.reportTexts) j.value(t);
    j.endArray();
    j.key("tables").beginArray();
    for (const auto& t : s.tables) {
        j.beginObject();
        j.field("name", t.table.name);
        j.field("size", static_cast<std::int64_t>(t.storedSize));
        j.endObject();
    }
    j.endArray();
    j.key("illustrations").beginArray();
    for (const auto& ill : s.illustrations) {
        j.beginObject();
        j.field("caption", ill.caption);
        j.field("picturePath", ill.picturePath);
        j.key("table");
        if (ill.table)
            j.value(static_cast<std::int64_t>(*ill.table));
        else
            j.null();
        j.endObject();
    }
    j.endArray();
    j.field("includeExclusionsUncorrected", s.includeExclusionsUncorrected.stored());
    j.field("noLeqTime", s.noLeqTime.stored());
    j.field("csvResults", s.csvResults.stored());
    j.field("singleResultFile", s.singleResultFile.stored());
    j.endObject();
    return j.str();
}

int runProjectShow(const std::string& path) {
    BatchPrompts prompts;
    DocumentController doc(prompts);
    if (Status s = doc.readProject(path); !s) return fail(s.error());
    std::fputs(projectJson(doc.state()).c_str(), stdout);
    return kExitOk;
}

int runProjectSave(const std::string& path, const std::string& out) {
    BatchPrompts prompts;
    DocumentController doc(prompts);
    if (Status s = doc.readProject(path); !s) return fail(s.error());
    if (Status s = doc.saveProjectTo(out); !s) return fail(s.error());
    return kExitOk;
}

int runCalc(CliContext& ctx, const std::string& path, const std::string& entries, const std::string& shared,
            const std::string& out, bool sequential) {
    if (!ctx.loadTeleDesc()) return kExitFailure;
    BatchPrompts prompts;
    DocumentController doc(prompts);
    doc.setTeleDescription(ctx.teleDesc());
    if (Status s = doc.readProject(path); !s) return fail(s.error());
    const ProjectState* p = &doc.state();
    RecalcRequest req;
    std::istringstream names(entries);
    for (std::string n; std::getline(names, n, ',');)
        if (!n.empty()) req.entries.insert(n);
    for (const std::string& n : req.entries) {
        bool known = false;
        for (const auto& f : p->files) known |= f.referenceName == n;
        if (!known) return usageError("--entries: no project file named " + n);
    }
    if (!shared.empty()) req.sharedFile = shared;
    req.workingFolder = localWorkingFolderOf(p->workingFolder, path);
    req.resultFolder = req.workingFolder + "/";
    req.encoding = ctx.encoding;
    req.parallel = !sequential;
    const RecalcReport report = doc.recalculateProject(std::move(req));
    int status = kExitOk;
    for (const Message& m : report.messages) {
        fail(m);
        if (m.severity() == Severity::Failure) status = kExitFailure;
    }
    if (Status s = doc.saveProjectTo(out); !s) return fail(s.error());
    return status;
}

void addProjectCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* project = app.add_subcommand("project", "project files");
    project->require_subcommand(1);
    auto path = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();

    auto* show = project->add_subcommand("show", "the project as JSON");
    show->add_option("PROJECT", *path, "project file (.pht)")->required();
    commands.emplace_back(show, [path] { return runProjectShow(*path); });

    auto* save = project->add_subcommand("save", "read a project and write it back in the current version");
    save->add_option("PROJECT", *path, "project file (.pht)")->required();
    save->add_option("-o,--output", *out, "output project file")->required();
    commands.emplace_back(save, [path, out] { return runProjectSave(*path, *out); });

    auto* calc = project->add_subcommand("calc", "recalculate the project's files and fill the tables' bound values");
    auto entries = std::make_shared<std::string>();
    auto shared = std::make_shared<std::string>();
    auto sequential = std::make_shared<bool>(false);
    calc->add_option("PROJECT", *path, "project file (.pht)")->required();
    calc->add_option("--entries", *entries, "reference names of the files to calculate, separated by commas");
    calc->add_option("--shared-file", *shared, "one result file for all files");
    calc->add_flag("--sequential", *sequential, "one file after the other on one core");
    calc->add_option("-o,--output", *out, "the recalculated project")->required();
    commands.emplace_back(calc, [&ctx, path, entries, shared, out, sequential] {
        return runCalc(ctx, *path, *entries, *shared, *out, *sequential);
    });
}

const bool projectCommandsRegistered = registerCommand(&addProjectCommand);

}  // namespace

}  // namespace phonotab::cli
