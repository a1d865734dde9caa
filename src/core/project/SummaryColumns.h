// What the summary dialog offers for a kind of record file: the value
// families, detectors, bands and channels of its layout, the column code they
// make and the name a column is headed with until the user renames it. The
// batch tool names its columns the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/Result.h"
#include "core/measurement/RecordLayout.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/ReportConfig.h"

namespace phonotab {

// A summary column: channel (bits 31–24), detector (15–8), family index 0..2 (7–0).
constexpr std::uint32_t summaryColumnCode(int channel, int detector, int familyIndex) {
    return static_cast<std::uint32_t>(channel & 0xFF) << 24 | static_cast<std::uint32_t>(detector & 0xFF) << 8 |
           static_cast<std::uint32_t>(familyIndex & 0xFF);
}

// The default name of a column: the parameter's name at the chosen band.
std::string summaryColumnName(std::uint32_t column, int band, const TeleDesc& desc, const RecordLayout& layout);

class SummaryColumnModel {
public:
    // The model of a record type; 132 when the description does not know it.
    static Result<SummaryColumnModel> forType(const TeleDesc& desc, std::uint16_t typeCode);

    std::uint16_t typeCode() const { return static_cast<std::uint16_t>(layout_.typeCode); }
    const RecordLayout& layout() const { return layout_; }

    // Family indices (0..2) that hold measured values, and their captions.
    std::vector<int> families() const;
    std::string familyCaption(int familyIndex) const;
    // Detectors of a family (0..count−1) and their names.
    int detectorCount(int familyIndex) const;
    std::string detectorCaption(int detector) const;
    int bandCount(int familyIndex) const;
    std::string bandCaption(int familyIndex, int band) const;
    int channelCount() const { return layout_.channelCount; }

    // One column with its default name; every detector and channel of a family ("Все").
    ReportColumn column(int channel, int detector, int familyIndex, int band) const;
    std::vector<ReportColumn> allColumns(int familyIndex, int band) const;

private:
    const TeleDesc* desc_ = nullptr;
    RecordLayout layout_;
};

}  // namespace phonotab
