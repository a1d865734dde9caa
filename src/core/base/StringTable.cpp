#include "core/base/StringTable.h"

#include <fstream>
#include <memory>
#include <mutex>
#include <vector>
#include <sstream>

extern const unsigned char phonotab_lang_ru[];
extern const unsigned long phonotab_lang_ru_size;

namespace phonotab {

namespace {

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out.push_back(s[i]);
            continue;
        }
        const char c = s[++i];
        switch (c) {
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 'r': out.push_back('\r'); break;
            case '\\': out.push_back('\\'); break;
            case '"': out.push_back('"'); break;
            default:
                out.push_back('\\');
                out.push_back(c);
        }
    }
    return out;
}

std::mutex& currentMutex() {
    static std::mutex m;
    return m;
}
// Every table ever made current stays alive (references handed out by
// currentStrings() may still be in use on another thread); the list keeps
// them reachable.
std::vector<std::unique_ptr<StringTable>>& tables() {
    static std::vector<std::unique_ptr<StringTable>> all;
    return all;
}
StringTable*& currentTable() {
    static StringTable* table = nullptr;
    return table;
}

}  // namespace

StringTable StringTable::parse(std::string_view text) {
    StringTable table;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0 || tab > 9) continue;
        int id = 0;
        bool digits = true;
        for (char c : line.substr(0, tab)) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            id = id * 10 + (c - '0');
        }
        if (!digits) continue;
        table.texts_[id] = unescape(line.substr(tab + 1));
    }
    return table;
}

const StringTable& StringTable::russian() {
    static const StringTable table = parse(std::string_view(
        reinterpret_cast<const char*>(phonotab_lang_ru), phonotab_lang_ru_size));
    return table;
}

std::string StringTable::text(int id) const {
    auto it = texts_.find(id);
    if (it != texts_.end()) return it->second;
    if (this != &russian()) {
        const auto& ru = russian().texts_;
        auto r = ru.find(id);
        if (r != ru.end()) return r->second;
    }
    return "#" + std::to_string(id);
}

const StringTable& currentStrings() {
    std::lock_guard lock(currentMutex());
    StringTable* t = currentTable();
    return t ? *t : StringTable::russian();
}

void setCurrentStrings(StringTable table) {
    std::lock_guard lock(currentMutex());
    tables().push_back(std::make_unique<StringTable>(std::move(table)));
    currentTable() = tables().back().get();
}

std::string tr(int id) { return currentStrings().text(id); }

bool loadStringTableFile(const std::string& path, StringTable& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    StringTable t = StringTable::parse(ss.str());
    if (!t.contains(103)) return false;
    out = std::move(t);
    return true;
}

}  // namespace phonotab
