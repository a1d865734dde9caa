#include "core/acoustics/DistributionHistogram.h"

#include <algorithm>
#include <cmath>

#include "core/base/MappedFile.h"
#include "core/measurement/FileProbe.h"

namespace phonotab {

Result<DistributionResult> DistributionHistogram(const std::vector<std::string>& files, std::int64_t firstRecord,
                                                 std::int64_t lastRecord, FieldCode field,
                                                 const std::set<double>& fractions, const TeleDesc& desc,
                                                 const Progress& progress) {
    DistributionResult r;
    r.classes.assign(514, 0);
    // Each file is an equal share of the work; within a file the records
    // read so far are reported every 64K records.
    constexpr std::int64_t kReportEvery = 1 << 16;
    for (std::size_t fileIndex = 0; fileIndex < files.size(); ++fileIndex) {
        const std::string& path = files[fileIndex];
        const Progress part = progress.part(static_cast<double>(fileIndex) / static_cast<double>(files.size()),
                                            static_cast<double>(fileIndex + 1) / static_cast<double>(files.size()));
        if (!part.report(0.0)) return Message(msg::Cancelled);
        MappedFile f;
        if (!f.open(path)) return Message(msg::CannotOpen, path);
        const ByteSpan bytes = f.bytes();
        const FileProbe probe = ProbeFileType(bytes);
        const TeleTypeEntry* type = desc.type(probe.typeCode);
        if (!type || type->recordSize == 0) continue;
        const int offset = fieldOffsetIn(type->codes, field);
        if (offset < 0) continue;
        const std::int64_t n = static_cast<std::int64_t>(bytes.size() / type->recordSize);
        const std::int64_t first = std::max<std::int64_t>(firstRecord, 0);
        const std::int64_t last = std::min(lastRecord, n - 1);
        for (std::int64_t i = first; i <= last; ++i) {
            if ((i - first) % kReportEvery == kReportEvery - 1 &&
                !part.report(static_cast<double>(i - first) / static_cast<double>(last - first + 1)))
                return Message(msg::Cancelled);
            std::uint16_t raw = 0;
            if (!readU16At(bytes, static_cast<std::size_t>(i) * type->recordSize + static_cast<std::size_t>(offset), raw))
                continue;
            const double level = raw / 256.0;
            r.minimum = std::min(r.minimum, level);
            r.maximum = std::max(r.maximum, level);
            const double c = std::floor(2 * level) + 1;
            ++r.classes[static_cast<std::size_t>(std::clamp(c, 0.0, 513.0))];
            ++r.records;
        }
    }
    if (r.maximum < r.minimum) return Message(msg::NoSourceData);
    // Largest fraction first: the level of fraction p is 0.5·i at the first
    // class i where the share of records at or below it exceeds 1 − p.
    std::vector<double> wanted(fractions.rbegin(), fractions.rend());
    std::size_t next = 0;
    std::int64_t cumulative = 0;
    for (std::size_t i = 0; i < r.classes.size() && next < wanted.size(); ++i) {
        cumulative += r.classes[i];
        const double share = static_cast<double>(cumulative) / static_cast<double>(r.records);
        while (next < wanted.size() && share > 1.0 - wanted[next]) {
            r.levels.emplace_back(wanted[next], 0.5 * static_cast<double>(i));
            ++next;
        }
    }
    return r;
}

}  // namespace phonotab
