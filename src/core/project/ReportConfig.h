// The summary's remembered parameter lists ("report.cfg"), one per kind of
// file, and the columns the summary dialog adds.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/base/Bytes.h"
#include "core/base/Result.h"

namespace phonotab {

struct ReportColumn {
    std::int32_t code = 0;  // channel (bits 31–24), detector (15–8), family index (7–0)
    std::string name;
    bool operator==(const ReportColumn&) const = default;
};

// The five flags of the summary dialog with their defaults (section
// "ReportDialog": bDate, bTime, bVIN, bInterval, bFreqValue).
struct ReportFlags {
    bool includeDate = true;
    bool includeTime = true;
    bool includeVin = true;
    bool includeDuration = true;
    bool frequencyAsNumber = false;
};

class ReportConfig {
public:
    // Reading stops silently at the first field that cannot be read whole;
    // the entries read until then are kept. A missing file has no lists.
    static ReportConfig parse(ByteSpan bytes);
    static ReportConfig load(const std::string& path);
    std::vector<std::uint8_t> serialize() const;
    // Writes the whole file (atomically); 105 when it cannot be created.
    Status save(const std::string& path) const;

    // The list stored for a kind of file (empty when none).
    std::vector<ReportColumn> list(std::int32_t key) const;
    bool has(std::int32_t key) const { return lists_.count(key) != 0; }
    void store(std::int32_t key, std::vector<ReportColumn> columns) { lists_[key] = std::move(columns); }
    const std::map<std::int32_t, std::vector<ReportColumn>>& lists() const { return lists_; }

private:
    std::map<std::int32_t, std::vector<ReportColumn>> lists_;
};

}  // namespace phonotab
