#include "core/acoustics/HistogramFile.h"

#include <cstdio>
#include <sstream>

#include "core/base/CFormat.h"
#include "core/base/TextCodec.h"

namespace phonotab {

bool readHistogramFile(const std::string& text, HistogramFile& out) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line)) return false;
    const std::size_t tag = line.find(kHistogramFileTag);
    if (tag == std::string::npos) return false;
    HistogramFile h;
    int edges = 0;
    // Read under the C locale so that the decimal point is a point.
    const char* p = line.c_str() + tag + (sizeof kHistogramFileTag - 1);
    const char* end = nullptr;
    if (!scanLg(p, h.lower, &end) || !scanLg(end, h.upper, &end) || !scanLg(end, h.width, &end)) return false;
    if (std::sscanf(end, "%d", &edges) != 1) return false;
    h.excludeEdges = edges != 0;
    bool named = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = decodeLocal8Bit(line);
        if (!named && line.rfind("Histogram:", 0) == 0) {
            std::string next;
            std::getline(in, next);
            if (!next.empty() && next.back() == '\r') next.pop_back();
            next = decodeLocal8Bit(next);
            h.seriesName = line + "\n" + next.substr(0, next.find('\t'));
            named = true;
            line = next;
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::pair<std::string, std::vector<double>> s;
        s.first = line.substr(0, tab);
        std::size_t at = tab + 1;
        while (at < line.size()) {
            const std::size_t next = line.find('\t', at);
            if (next == std::string::npos) break;  // a field counts once it is tab-terminated
            double v = 0;
            if (scanLg(line.c_str() + at, v)) s.second.push_back(v);
            at = next + 1;
        }
        h.series.push_back(std::move(s));
    }
    out = std::move(h);
    return true;
}

std::vector<std::string> histogramClassLabels(const HistogramFile& h, std::size_t classCount) {
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < classCount; ++i) {
        if (!h.excludeEdges && i == 0) {
            labels.push_back(cformat("<%lg", h.lower));
        } else if (!h.excludeEdges && i + 1 == classCount) {
            labels.push_back(cformat(">=%lg", h.upper));
        } else {
            const std::size_t k = h.excludeEdges ? i : i - 1;
            const double lo = h.lower + static_cast<double>(k) * h.width;
            labels.push_back(cformat("<%lg\n[%lg - %lg]", lo + h.width, lo, lo + h.width));
        }
    }
    return labels;
}

}  // namespace phonotab
