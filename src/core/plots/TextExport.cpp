#include "core/plots/TextExport.h"

#include "core/base/CFormat.h"

namespace phonotab {

bool writePaneText(const GraphPane& pane, TextEncoding encoding,
                   const std::function<bool(std::string_view)>& sink) {
    constexpr std::size_t kChunk = 64 * 1024;
    std::string out = encodeForOutput(pane.title(), encoding);
    out += '\n';
    const IndexRange vis = pane.visibleRange();
    for (std::int64_t k = vis.first; k <= vis.last; ++k) {
        appendLg(out, pane.xOf(k));  // "%lg" prints as "%.6lg"
        out += '\t';
        for (const GraphSeries& s : pane.series()) {
            appendLg(out, s.has(k) ? s.raw(k) : 0.0);
            out += '\t';
        }
        out += '\n';
        if (out.size() >= kChunk) {
            if (!sink(out)) return false;
            out.clear();
        }
    }
    return sink(out);
}

std::string paneTextExport(const GraphPane& pane, TextEncoding encoding) {
    std::string text;
    writePaneText(pane, encoding, [&](std::string_view piece) {
        text.append(piece);
        return true;
    });
    return text;
}

}  // namespace phonotab
