#include "core/measurement/LdlDump.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "core/base/CFormat.h"
#include "core/base/MappedFile.h"
#include "core/base/Message.h"
#include "core/base/TextCodec.h"

extern char** environ;

namespace phonotab {

namespace {

constexpr std::size_t kLineLimit = 4095;

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Text after a prefix, up to the next double quote.
std::string quotedValue(std::string_view line, std::size_t from) {
    const std::size_t q = line.find('"', from);
    return std::string(line.substr(from, q == std::string_view::npos ? std::string_view::npos : q - from));
}

bool parseRecordHead(const std::string& line, LdlRecord& rec) {
    int number = 0, type = 0, length = 0;
    std::string name(line.size() + 1, '\0');
    char fmt[96];
    std::snprintf(fmt, sizeof fmt, "\"Dump of record # %%d , Type = %%d , Length = %%d , Name = %%%zus", line.size());
    if (std::sscanf(line.c_str(), fmt, &number, &type, &length, name.data()) != 4) return false;
    rec = LdlRecord{};
    rec.number = number;
    rec.type = type;
    rec.length = length;
    rec.name = name.c_str();
    rec.caption = Message(316, number).text();
    rec.seriesName = Message(207, 1).text();
    return true;
}

}  // namespace

std::vector<LdlRecord> ParseLdlDump(std::string_view text) {
    // Split into lines as a 4096-byte line buffer would.
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        const std::size_t end = eol == std::string_view::npos ? text.size() : eol;
        std::size_t p = pos;
        do {
            const std::size_t n = std::min(kLineLimit, end - p);
            std::string line(text.substr(p, n));
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(decodeLocal8Bit(line));
            p += n;
        } while (p < end);
        pos = end + 1;
    }

    std::vector<LdlRecord> records;
    enum class State { Outside, Head, Data } state = State::Outside;
    LdlRecord rec;
    static constexpr std::string_view kNote = "\"\",\"\",\"note =\",\"";
    static constexpr std::string_view kFilter = "\"\",\"\",\"filter =\",\"";
    static constexpr std::string_view kDetector = "\"\",\"\",\"detector =\",\"";
    static constexpr std::string_view kDetectorTime = "\"\",\"\",\"detector time =\",";
    static constexpr std::string_view kData = "\"\",\"\",\"";
    for (const std::string& line : lines) {
        if (state == State::Data) {
            bool taken = false;
            if (startsWith(line, kData)) {
                const std::size_t q = line.find('"', kData.size());
                double v;
                if (q != std::string::npos && q + 2 <= line.size() && scanLg(line.c_str() + q + 2, v)) {
                    rec.series.emplace_back(line.substr(kData.size(), q - kData.size()), v);
                    taken = true;
                }
            }
            if (taken) continue;
            records.push_back(std::move(rec));
            rec = LdlRecord{};
            state = State::Outside;
            // The closing line may itself start the next record.
        }
        if (state == State::Outside) {
            if (parseRecordHead(line, rec)) state = State::Head;
            continue;
        }
        // In a record's head.
        int channel = 0;
        if (startsWith(line, kNote)) {
            rec.note = quotedValue(line, kNote.size());
        } else if (startsWith(line, kFilter)) {
            rec.filter = quotedValue(line, kFilter.size());
        } else if (startsWith(line, kDetectorTime)) {
            rec.detectorTime = line.substr(kDetectorTime.size());
        } else if (startsWith(line, kDetector)) {
            rec.detector = quotedValue(line, kDetector.size());
        } else if (std::sscanf(line.c_str(), "\"\",\"\",\"Frequency\",\"Channel %d\"", &channel) == 1) {
            rec.channel = channel;
            state = State::Data;
        }
    }
    if (state == State::Data) records.push_back(std::move(rec));
    return records;
}

Result<std::vector<LdlRecord>> ConvertLdlFile(const std::string& dataPath, const std::string& converterCommand,
                                              const std::string& textPath) {
    std::vector<std::string> args;
    std::istringstream words(converterCommand);
    bool hasOut = false;
    for (std::string w; words >> w;) {
        for (auto [key, value] : {std::pair<std::string, std::string>{"{in}", dataPath}, {"{out}", textPath}}) {
            if (const auto at = w.find(key); at != std::string::npos) {
                hasOut |= key == "{out}";
                w.replace(at, key.size(), value);
            }
        }
        args.push_back(w);
    }
    if (args.empty()) return Message(msg::ConverterFailed, converterCommand);
    if (!hasOut) {
        args.push_back(dataPath);
        args.push_back(textPath);
        args.push_back("-P-TH-T-LH-L-I-A");
    }
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return Message(msg::ConverterFailed, converterCommand);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::string text;
    if (!readFileText(textPath, text)) return Message(msg::OpenError);
    std::remove(textPath.c_str());
    return ParseLdlDump(text);
}

}  // namespace phonotab
