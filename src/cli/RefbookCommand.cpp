// phonotab-cli refbook show RefMap.txt
// phonotab-cli refbook save IN -o OUT
// The reference books file: its books, instruments and documents as JSON, and
// the file read and written back.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>

#include "CliContext.h"
#include "JsonWriter.h"
#include "core/project/ReferenceBookFile.h"

namespace phonotab::cli {

namespace {


// Reads the named file; unlike at start-up, a missing file is an error here.
Status readBooks(const std::string& path, ReferenceBooks& books) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return Message(msg::CannotOpen, path);
    return LoadReferenceBooks(path, books);
}

int runRefbookShow(const std::string& path) {
    ReferenceBooks books;
    if (Status s = readBooks(path, books); !s) return fail(s.error());
    JsonWriter j;
    j.beginObject();
    j.key("books").beginObject();
    for (const auto& [name, records] : books.referenceBooks) {
        j.key(name).beginArray();
        for (const ReferenceRecord& r : records) {
            j.beginArray();
            j.value(r.value);
            j.value(r.description);
            j.endArray();
        }
        j.endArray();
    }
    j.endObject();
    j.key("devices").beginArray();
    for (const std::string& d : books.measuringInstruments) j.value(d);
    j.endArray();
    j.key("norms").beginArray();
    for (const std::string& n : books.normativeDocuments) j.value(n);
    j.endArray();
    j.endObject();
    std::fputs(j.str().c_str(), stdout);
    return kExitOk;
}

int runRefbookSave(const CliContext& ctx, const std::string& path, const std::string& outPath) {
    ReferenceBooks books;
    if (Status s = readBooks(path, books); !s) return fail(s.error());
    if (Status s = SaveReferenceBooks(outPath, books, ctx.encoding); !s) return fail(s.error());
    return kExitOk;
}

void addRefbookCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* group = app.add_subcommand("refbook", "reference books (RefMap.txt): show, save");
    group->require_subcommand(1);

    auto* show = group->add_subcommand("show", "print the books, instruments and documents as JSON");
    auto showPath = std::make_shared<std::string>();
    show->add_option("FILE", *showPath, "reference books file")->required();
    commands.emplace_back(show, [showPath] { return runRefbookShow(*showPath); });

    auto* save = group->add_subcommand("save", "read a reference books file and write it back");
    auto savePath = std::make_shared<std::string>();
    auto outPath = std::make_shared<std::string>();
    save->add_option("FILE", *savePath, "reference books file")->required();
    save->add_option("-o,--output", *outPath, "file to write")->required();
    commands.emplace_back(save, [&ctx, savePath, outPath] { return runRefbookSave(ctx, *savePath, *outPath); });
}

const bool refbookCommandsRegistered = registerCommand(&addRefbookCommand);

}  // namespace

}  // namespace phonotab::cli
