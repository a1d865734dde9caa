#include "core/project/SummaryColumns.h"

#include "core/acoustics/ParameterName.h"
#include "core/measurement/Catalogue.h"

namespace phonotab {

std::string summaryColumnName(std::uint32_t column, int band, const TeleDesc& desc, const RecordLayout& layout) {
    const FieldCode code = 0x01000000u | ((column & 0xFF) + 1) << 20 | ((column >> 24) & 0xF) << 16 |
                           ((column >> 8) & 0xFF) << 8 | static_cast<FieldCode>(band & 0xFF);
    return ParameterName(code, NamingContext{&desc, &layout, nullptr}).name;
}

Result<SummaryColumnModel> SummaryColumnModel::forType(const TeleDesc& desc, std::uint16_t typeCode) {
    Result<RecordLayout> layout = BuildLayout(desc, typeCode);
    if (!layout) return layout.error();
    SummaryColumnModel m;
    m.desc_ = &desc;
    m.layout_ = std::move(*layout);
    return m;
}

std::vector<int> SummaryColumnModel::families() const {
    std::vector<int> out;
    for (int f = 0; f < kFamilies; ++f)
        if (layout_.detectorCount[static_cast<std::size_t>(f)] > 0) out.push_back(f);
    return out;
}

std::string SummaryColumnModel::familyCaption(int f) const { return phonotab::familyCaption(layout_, f + 1); }

int SummaryColumnModel::detectorCount(int f) const {
    return f >= 0 && f < kFamilies ? layout_.detectorCount[static_cast<std::size_t>(f)] : 0;
}

std::string SummaryColumnModel::detectorCaption(int d) const { return detectorName(layout_, d); }

int SummaryColumnModel::bandCount(int f) const {
    return f >= 0 && f < kFamilies ? layout_.bandCount[static_cast<std::size_t>(f)] : 0;
}

std::string SummaryColumnModel::bandCaption(int f, int band) const {
    return phonotab::bandCaption(*desc_, layout_, nullptr, f + 1, band, BandForm::List);
}

ReportColumn SummaryColumnModel::column(int channel, int detector, int f, int band) const {
    ReportColumn c;
    c.code = static_cast<std::int32_t>(summaryColumnCode(channel, detector, f));
    c.name = summaryColumnName(static_cast<std::uint32_t>(c.code), band, *desc_, layout_);
    return c;
}

std::vector<ReportColumn> SummaryColumnModel::allColumns(int f, int band) const {
    std::vector<ReportColumn> out;
    for (int ch = 0; ch < channelCount(); ++ch)
        for (int d = 0; d < detectorCount(f); ++d)
            if (layout_.measuredValueOffset(ch, f + 1, d, band) >= 0) out.push_back(column(ch, d, f, band));
    return out;
}

}  // namespace phonotab
