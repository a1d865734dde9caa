#include "core/project/ReferenceBookFile.h"

#include <filesystem>

#include "core/base/CFormat.h"
#include "core/base/MappedFile.h"
#include "core/platform/AtomicFile.h"

namespace phonotab {

namespace {


bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// One item per line: a text typed with a line break must not break the line it
// is written on. (Texts read from the file never hold one.)
std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\n') c = ' ';
    return out;
}

}  // namespace

Status ReadRefMap(std::string_view raw, ReferenceBooks& books) {
    books.clear();
    const std::string text = decodeLocal8Bit(raw);
    std::vector<ReferenceRecord>* current = nullptr;  // the book being read
    std::vector<ReferenceRecord> records;
    auto attach = [&] {
        if (current) *current = std::move(records);
        records.clear();
    };

    std::size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;

        if (startsWith(line, "NAME:")) {
            attach();
            const std::string name = referenceBookName(std::string_view(line).substr(5));
            if (name.empty() || books.referenceBooks.count(name)) return Message(msg::RefBookLineError, lineNo);
            current = &books.referenceBooks[name];
        } else if (startsWith(line, "DEVICE:")) {
            const std::string_view t = trimBlanks(std::string_view(line).substr(7));
            if (!t.empty()) books.measuringInstruments.emplace(t);
        } else if (startsWith(line, "NORM:")) {
            books.normativeDocuments.emplace(trimBlanks(std::string_view(line).substr(5)));
        } else {
            ReferenceRecord r;
            const char* after = nullptr;
            if (!current || !scanLg(line.c_str(), r.value, &after)) return Message(msg::RefBookLineError, lineNo);
            r.description = std::string(trimBlanks(std::string_view(after)));
            records.push_back(std::move(r));
        }
    }
    attach();
    return Status::success();
}

std::string WriteRefMap(const ReferenceBooks& books) {
    std::string out;
    for (const auto& [name, records] : books.referenceBooks) {
        out += "NAME: " + oneLine(name) + "\n";
        for (const ReferenceRecord& r : records) {
            cformatAppend(out, "%.10lg ", r.value);
            out += oneLine(r.description);
            out += '\n';
        }
    }
    for (const std::string& d : books.measuringInstruments) out += "DEVICE: " + oneLine(d) + "\n";
    for (const std::string& n : books.normativeDocuments) out += "NORM: " + oneLine(n) + "\n";
    return out;
}

Status LoadReferenceBooks(const std::string& path, ReferenceBooks& books) {
    books.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Status::success();
    std::string text;
    if (!readFileText(path, text)) return Message(msg::CannotOpen, path);
    return ReadRefMap(text, books);
}

Status SaveReferenceBooks(const std::string& path, const ReferenceBooks& books, TextEncoding encoding) {
    return writeFileAtomically(path, encodeForOutput(WriteRefMap(books), encoding));
}

}  // namespace phonotab
