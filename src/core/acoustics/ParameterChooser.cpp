#include "core/acoustics/ParameterChooser.h"

#include <algorithm>

#include "core/base/Message.h"
#include "core/base/TextIds.h"

namespace phonotab {

FieldCode ParameterChooser::prefix(int type, int sel) {
    const auto t = static_cast<FieldCode>(type);
    if (type >= 1 && type <= 3) return 0x01000000u | (t << 20) | ((static_cast<FieldCode>(sel) & 0xF) << 16);
    if (type >= 4 && type <= 6) {
        const FieldCode high = ((static_cast<FieldCode>(sel) >> 8) | 1u) & 0xFF;
        return (high << 24) | ((t - 3) << 20) | ((static_cast<FieldCode>(sel) & 0xF) << 16);
    }
    return 0;
}

std::string ParameterChooser::typeCaption(const RecordLayout& layout, int type) {
    if (type < 1 || type > 6) return {};
    const std::string& own = layout.titles[static_cast<std::size_t>(type - 1)];
    if (!own.empty()) return own;
    const std::string& family = layout.titles[static_cast<std::size_t>((type - 1) % 3)];
    if (family.empty()) return std::to_string(type);
    return type <= 3 ? family : Message(text::SixteenBitDecibelType, family).text();
}

std::vector<FieldCode> ParameterChooser::matching(int type, int sel) const {
    std::vector<FieldCode> out;
    if (!naming_.layout) return out;
    const FieldCode p = prefix(type, sel);
    // Types 1 to 3 take a family's codes whatever their storage (encoding
    // nibble); types 4 to 6 name their codes whole.
    const FieldCode mask = type <= 3 ? 0x0FFF0000u : 0xFFFF0000u;
    for (FieldCode c : naming_.layout->codes)
        if (field::isMeasuredValue(c) && (c & mask) == (p & mask)) out.push_back(c);
    return out;
}

std::vector<int> ParameterChooser::modes(int type, int sel) const {
    std::vector<int> out;
    for (FieldCode c : matching(type, sel)) {
        const int m = static_cast<int>((c >> 8) & 0xFF);
        if (std::find(out.begin(), out.end(), m) == out.end()) out.push_back(m);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<ChooserBand> ParameterChooser::bands(int type, int sel, int mode, bool all) const {
    std::vector<ChooserBand> out;
    if (!naming_.layout) return out;
    const int family = type <= 3 ? type : type - 3;
    const int bandCount = family >= 1 && family <= 3 ? naming_.layout->bandCount[static_cast<std::size_t>(family - 1)] : 0;
    const FieldCode p = prefix(type, sel);
    std::vector<ChooserBand> levels, histograms;
    for (FieldCode c : matching(type, sel)) {
        if (static_cast<int>((c >> 8) & 0xFF) != mode || static_cast<int>(c & 0xFF) >= bandCount) continue;
        const FieldCode code = p | (c & 0xFFFF);
        const ParameterNames n = ParameterName(code, naming_);
        levels.push_back({n.bandText, code, 1});
        if (histogramMode_) {
            // Derived parameters name the channel and the position of the code
            // among the channel's measured codes.
            const unsigned channel = field::channel(c);
            int position = 0;
            for (FieldCode other : naming_.layout->codes) {
                if (other == c) break;
                if (field::isMeasuredValue(other) && field::channel(other) == channel) ++position;
            }
            const FieldCode tail = (channel << 12) | static_cast<FieldCode>(position & 0xFF);
            histograms.push_back({Message(410, n.bandText).text(), kStoredHistogramCode | tail, 1});
            histograms.push_back({Message(411, n.bandText).text(), kSynthesizedLeqCode | tail, 1});
        }
    }
    if (all && !levels.empty()) {
        out.push_back({levels.front().text + " - " + levels.back().text, levels.front().code,
                       static_cast<int>(levels.size())});
        return out;
    }
    out = levels;
    out.insert(out.end(), histograms.begin(), histograms.end());
    return out;
}

ParameterEntry ParameterChooser::build(const ChooserBand& item, int count) {
    ParameterEntry e;
    e.code = item.code;
    for (int k = 1; k < count; ++k) {
        ParameterEntry sub;
        sub.code = item.code + static_cast<FieldCode>(k);
        e.subEntries.push_back(sub);
    }
    return e;
}

}  // namespace phonotab
