#include "core/project/RecalculateProject.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <map>
#include <thread>
#include <tuple>

#include "core/acoustics/CalculateFile.h"
#include "core/project/EntryCalculation.h"
#include "core/project/ProjectFiles.h"
#include "core/project/ProjectPaths.h"

namespace phonotab {

double boundValue(const ParameterEntry& e, int item) {
    const VariantResults& r = e.first;
    auto first = [](const std::vector<double>& v) { return v.empty() ? -1.0 : v.front(); };
    switch (item) {
        case -1: return 0.0;
        case 0: return first(r.minima);
        case 1: return first(r.maxima);
        case 2: return first(r.leqs);
        case 3: return first(r.durations);
        default:
            if (item >= 4 && static_cast<std::size_t>(item - 4) < r.percentiles.size())
                return first(r.percentiles[static_cast<std::size_t>(item - 4)]);
            return -1.0;
    }
}

namespace {

// One bound value wanted: which source, which parameter, which statistic.
using BindingKey = std::tuple<std::string, std::uint32_t, std::int32_t>;

struct EntryOutcome {
    std::vector<Message> messages;
    std::map<BindingKey, double> values;
};

const ParameterEntry* findCode(const std::vector<ParameterEntry>& list, std::uint32_t code) {
    for (const auto& e : list) {
        if (e.code == code) return &e;
        for (const auto& s : e.subEntries)
            if (s.code == code) return &s;
    }
    return nullptr;
}

EntryOutcome calculateEntry(const ProjectState& state, const ProjectFileEntry& entry,
                            const std::vector<BindingKey>& wanted, const TeleDesc& desc, const RecalcRequest& request) {
    EntryOutcome out;
    const std::string local = storedPathToLocal(entry.path, request.workingFolder);
    Result<CalcFile> opened = openEntry(entry, local, desc, state.includeExclusionsUncorrected,
                                        request.progress.quiet());
    if (!opened) {
        if (opened.error().id != msg::Cancelled) out.messages.push_back(opened.error());
        return out;
    }
    CalcFile& cf = *opened;
    // Temporary entries for the bound parameters the file does not compute yet.
    std::vector<ParameterEntry> temporary;
    for (const auto& key : wanted) {
        const std::uint32_t code = std::get<1>(key);
        if (findCode(cf.entries, code) || findCode(temporary, code)) continue;
        ParameterEntry t;
        t.code = code;
        temporary.push_back(t);
    }
    // A file without parameters and without bound cells writes nothing and
    // binds nothing: the user asked for a calculation, so say so.
    if (cf.entries.empty() && temporary.empty()) {
        out.messages.push_back(Message(msg::NothingToCalculate, entry.referenceName));
        return out;
    }
    CalcRequest req;
    req.options.csv = state.csvResults;
    req.options.singleFile = state.singleResultFile;
    req.options.grouped = state.groupByParameter;
    req.options.noLeqTime = state.noLeqTime;
    req.options.resultFolder = request.resultFolder;
    req.options.baseName = std::filesystem::path(local).stem().string();
    req.encoding = request.encoding;
    req.fromParametersWindow = false;
    req.progress = request.progress.quiet();  // files run side by side: only the stop reaches them
    if (request.sharedFile) req.sharedOutput = &*request.sharedFile;

    std::vector<ParameterEntry> computed;
    if (cf.settings.scanning) {
        // The scanned calculation writes the result files; the bound values
        // come from a second calculation over the whole work range.
        CalcReport scanned = CalculateFile(cf, desc, req);
        if (scanned.cancelled) return out;  // a stopped file binds no value
        out.messages = std::move(scanned.messages);
        cf.settings.scanning = false;
        computed = std::move(cf.entries);
        for (auto& t : temporary) computed.push_back(std::move(t));
        CalcRequest quiet;
        quiet.quiet = true;
        quiet.extraEntries = &computed;
        quiet.progress = req.progress;
        CalcReport whole = CalculateFile(cf, desc, quiet);
        if (whole.cancelled) return {};
        for (auto& m : whole.messages)
            if (m.id != msg::InsufficientSamples) out.messages.push_back(std::move(m));
    } else {
        req.extraEntries = &temporary;
        CalcReport single = CalculateFile(cf, desc, req);
        if (single.cancelled) return out;
        out.messages = std::move(single.messages);
        computed = std::move(cf.entries);
        for (auto& t : temporary) computed.push_back(std::move(t));
    }
    for (const auto& key : wanted)
        if (const ParameterEntry* e = findCode(computed, std::get<1>(key)))
            out.values[key] = boundValue(*e, std::get<2>(key));
    return out;
}

}  // namespace

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    // A file not yet made cannot be a data file, but compare the spelled paths too.
    const auto wa = std::filesystem::weakly_canonical(a, ec);
    if (ec) return false;
    const auto wb = std::filesystem::weakly_canonical(b, ec);
    return !ec && wa == wb;
}

}  // namespace

Status checkSharedResultFile(const ProjectState& state, const RecalcRequest& request) {
    if (!request.sharedFile) return {};
    const std::string& shared = *request.sharedFile;
    if (sameFile(shared, request.projectFile)) return Message(msg::SharedFileInUse, shared);
    for (const ProjectFileEntry& e : state.files)
        if (sameFile(shared, storedPathToLocal(e.path, request.workingFolder)))
            return Message(msg::SharedFileInUse, shared);
    return {};
}

RecalcReport RecalculateProject(ProjectState& state, const TeleDesc& desc, const RecalcRequest& request) {
    RecalcReport report;
    copyCurrentSettingsBack(state);
    if (Status s = checkSharedResultFile(state, request); !s) {
        report.messages.push_back(s.error());
        return report;
    }
    if (request.sharedFile) std::remove(request.sharedFile->c_str());

    std::vector<std::size_t> chosen;
    std::set<std::string> chosenNames;
    for (std::size_t i = 0; i < state.files.size(); ++i)
        if (request.entries.empty() || request.entries.count(state.files[i].referenceName)) {
            chosen.push_back(i);
            chosenNames.insert(state.files[i].referenceName);
        }

    // The bindings this run answers: those of the chosen sources, and with
    // the whole project every binding (a source no entry has gets no value).
    const bool whole = request.entries.empty();
    auto answered = [&](const CellBinding& b) { return whole || chosenNames.count(b.sourceName) != 0; };
    std::vector<ReportTable*> tables;
    for (auto& t : state.tables) tables.push_back(&t.table);
    for (ReportTable* t : request.openTables)
        if (t && std::find(tables.begin(), tables.end(), t) == tables.end()) tables.push_back(t);
    std::map<std::string, std::vector<BindingKey>> wanted;  // by source
    for (const ReportTable* t : tables)
        for (const auto& [cell, b] : t->bindings) {
            if (!answered(b)) continue;
            const BindingKey key{b.sourceName, static_cast<std::uint32_t>(b.parameterCode), b.itemIndex};
            auto& list = wanted[b.sourceName];
            if (std::find(list.begin(), list.end(), key) == list.end()) list.push_back(key);
        }

    // Files are independent unless they write the same result files: one
    // shared file, or two entries of data files with the same base name.
    bool parallel = request.parallel && !request.sharedFile && !state.singleResultFile;
    std::set<std::string> baseNames;
    for (std::size_t i : chosen)
        if (!baseNames.insert(std::filesystem::path(storedPathToLocal(state.files[i].path, "")).stem().string()).second)
            parallel = false;

    std::vector<EntryOutcome> outcomes(chosen.size());
    std::atomic<std::size_t> next{0}, done{0};
    std::atomic<bool> stop{false};
    auto work = [&] {
        for (std::size_t k; !stop && (k = next++) < chosen.size();) {
            const ProjectFileEntry& e = state.files[chosen[k]];
            auto it = wanted.find(e.referenceName);
            outcomes[k] = calculateEntry(state, e, it == wanted.end() ? std::vector<BindingKey>{} : it->second, desc,
                                         request);
            const std::size_t finished = ++done;
            if (!request.progress.report(static_cast<double>(finished) / static_cast<double>(chosen.size())))
                stop = true;
        }
    };
    const unsigned threads = parallel ? std::clamp(std::thread::hardware_concurrency(), 1u, 8u) : 1u;
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (auto& th : pool) th.join();
    report.cancelled = stop;

    // Messages and values in the order of the files, as one file after the other gives them.
    std::map<BindingKey, double> values;
    for (auto& o : outcomes) {
        for (auto& m : o.messages) report.messages.push_back(std::move(m));
        for (auto& [k, v] : o.values) values[k] = v;
    }
    // A stopped run leaves the tables as they were: half of the sources
    // recalculated would mix old and new values without telling which.
    if (report.cancelled) return report;
    for (ReportTable* t : tables) {
        for (auto& [cell, b] : t->bindings) {
            if (!answered(b)) continue;
            auto it = values.find(BindingKey{b.sourceName, static_cast<std::uint32_t>(b.parameterCode), b.itemIndex});
            b.value = it != values.end() ? it->second : -1.0;
        }
        t->RequestRecalculation();
        t->SetModified();
    }
    return report;
}

}  // namespace phonotab
