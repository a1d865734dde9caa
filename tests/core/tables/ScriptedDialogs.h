// The answers a user would give to the cell commands and cell macros, scripted
// in advance, and a record of what was asked. Also a small data file in memory.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/tables/CellCommandDialogs.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/ProjectSourceList.h"

namespace phonotab::testing {

class ScriptedDialogs final : public CellCommandDialogs, public MacroDialogs {
public:
    // Answers, consumed in order; an empty queue answers No / Cancel.
    std::deque<bool> confirmations;
    std::deque<std::optional<std::string>> texts;
    std::deque<std::optional<ProjectParameterChoice>> projectParameters;
    std::deque<std::optional<std::string>> bookFormulas;
    std::deque<std::optional<std::string>> sources;
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::size_t>> variants;
    std::deque<std::optional<std::size_t>> options;
    // The parameter dialog of a loaded file: by default it takes the preset.
    std::function<std::optional<DataSelection>(const FileParameterRequest&)> fileParameter =
        [](const FileParameterRequest& r) { return std::optional<DataSelection>(r.preset); };

    // What was asked.
    int confirmationsAsked = 0;
    std::vector<std::string> textPresets;
    std::vector<ProjectParameterPreset> parameterPresets;
    std::vector<std::string> bookPresets;
    std::vector<std::vector<std::string>> variantMenus;
    std::vector<std::pair<std::string, std::vector<std::string>>> optionMenus;
    std::vector<FileParameterRequest> fileRequests;
    std::vector<Message> messages;

    bool confirmBindingRemoval() override {
        ++confirmationsAsked;
        return pop(confirmations, false);
    }
    std::optional<std::string> enterText(const std::string& preset) override {
        textPresets.push_back(preset);
        return pop(texts, std::optional<std::string>());
    }
    std::optional<ProjectParameterChoice> chooseProjectParameter(const ProjectParameterPreset& preset) override {
        parameterPresets.push_back(preset);
        return pop(projectParameters, std::optional<ProjectParameterChoice>());
    }
    std::optional<std::string> chooseReferenceFormula(const std::string& preset) override {
        bookPresets.push_back(preset);
        return pop(bookFormulas, std::optional<std::string>());
    }
    std::optional<std::string> chooseDataSource(const std::string&) override {
        return pop(sources, std::optional<std::string>());
    }
    std::optional<std::string> chooseDataFile() override { return pop(files, std::optional<std::string>()); }
    std::optional<DataSelection> chooseFileParameter(DataTree&, const FileParameterRequest& request) override {
        fileRequests.push_back(request);
        return fileParameter(request);
    }
    void showMessage(const Message& message) override { messages.push_back(message); }
    std::optional<std::size_t> chooseVariant(const std::vector<std::string>& v) override {
        variantMenus.push_back(v);
        return pop(variants, std::optional<std::size_t>());
    }
    std::optional<std::size_t> chooseOption(const std::string& title, const std::vector<std::string>& o) override {
        optionMenus.emplace_back(title, o);
        return pop(options, std::optional<std::size_t>());
    }

private:
    template <typename T>
    static T pop(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = std::move(q.front());
        q.pop_front();
        return v;
    }
};

// A file of two records, one channel numbered 0, types 0 and 1; type 0 has
// modes 0 "Экв" and 1 "Быстро" with three bands "63", "125", "250" whose
// values are (record + 1) * 10 + mode + band / 10; band 250 of mode 1 has no
// value. Type 1 has one mode 0 "A" with one band.
inline MemoryDataTree smallDataFile() {
    MemoryDataTree t;
    for (int r = 0; r < 2; ++r) {
        DataRecord rec;
        rec.names = {"Запись " + std::to_string(r + 1), "0" + std::to_string(r + 1) + "/05/2024 10:00:00"};
        DataChannel ch{0, "канал 1", {}};
        DataType oct{0, "Октавы", {}};
        const char* modeNames[] = {"Экв", "Быстро"};
        const char* bandNames[] = {"63", "125", "250"};
        for (int m = 0; m < 2; ++m) {
            DataMode mode{m, modeNames[m], {}};
            for (int b = 0; b < 3; ++b) {
                std::optional<double> v = (r + 1) * 10.0 + m + b / 10.0;
                if (m == 1 && b == 2) v.reset();
                mode.bands.push_back(DataBand{bandNames[b], dataValueText(v), v});
            }
            oct.modes.push_back(mode);
        }
        DataType broad{1, "Суммарные", {{0, "A", {DataBand{"A", dataValueText(70.5), 70.5}}}}};
        ch.types = {oct, broad};
        rec.channels.push_back(ch);
        t.records.push_back(rec);
    }
    return t;
}

// Hands out copies of one tree, or a message.
class MemoryLoader final : public DataFileLoader {
public:
    MemoryDataTree tree;
    std::optional<Message> refusal;
    std::vector<std::string> loaded;

    Result<std::unique_ptr<DataTree>> loadDataFile(const std::string& path) override {
        loaded.push_back(path);
        if (refusal) return *refusal;
        auto copy = std::make_unique<MemoryDataTree>();
        copy->records = tree.records;
        return std::unique_ptr<DataTree>(std::move(copy));
    }
};

// Project data sources held in memory.
class MemorySources final : public ProjectSourceList {
public:
    struct Source {
        std::string name, path;
        std::int32_t type = 60101, mode = 2;
        std::vector<double> percentiles;
    };
    std::vector<Source> list;

    std::optional<std::string> sourceFilePath(std::string_view n) const override {
        if (const Source* s = find(n)) return s->path;
        return std::nullopt;
    }
    std::optional<std::int32_t> sourceFileType(std::string_view n) const override {
        if (const Source* s = find(n)) return s->type;
        return std::nullopt;
    }
    std::vector<std::string> sourceNames() const override {
        std::vector<std::string> names;
        for (const Source& s : list) names.push_back(s.name);
        return names;
    }
    std::optional<std::int32_t> sourceWorkMode(std::string_view n) const override {
        if (const Source* s = find(n)) return s->mode;
        return std::nullopt;
    }
    std::string parameterDescription(std::string_view, std::int32_t code) const override {
        return "код " + std::to_string(code);
    }
    std::optional<double> sourcePercentile(std::string_view n, int k) const override {
        const Source* s = find(n);
        if (!s || k < 0 || static_cast<std::size_t>(k) >= s->percentiles.size()) return std::nullopt;
        return s->percentiles[static_cast<std::size_t>(k)];
    }

private:
    const Source* find(std::string_view n) const {
        for (const Source& s : list)
            if (s.name == n) return &s;
        return nullptr;
    }
};

}  // namespace phonotab::testing
