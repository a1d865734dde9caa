// The program's numbered texts (messages, captions, interface words).
//
// A language table is a text file of lines "NUMBER<TAB>text" where the text uses
// C escapes (\n, \t, \\, \"); lines starting with '#' are comments. Russian is
// built into the program; other languages are read from data/lang/. String 103
// is the language's own name, which also selects the texts of the telemetry
// description.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace phonotab {

class StringTable {
public:
    // Parses a language table; malformed lines are skipped.
    static StringTable parse(std::string_view text);
    static const StringTable& russian();

    bool contains(int id) const { return texts_.count(id) != 0; }
    // The text of a number; a number the table lacks falls back to the Russian
    // table, then to "#<number>" so that a missing text never hides a message.
    std::string text(int id) const;
    std::string languageName() const { return text(103); }
    const std::map<int, std::string>& all() const { return texts_; }
    void set(int id, std::string text) { texts_[id] = std::move(text); }

private:
    std::map<int, std::string> texts_;
};

// The table of the interface language chosen at start-up (Russian until set).
const StringTable& currentStrings();
void setCurrentStrings(StringTable table);
// Shorthand for currentStrings().text(id).
std::string tr(int id);

// Reads a language table file; false when it cannot be read or lacks string 103.
bool loadStringTableFile(const std::string& path, StringTable& out);

}  // namespace phonotab
