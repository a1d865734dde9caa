#include "core/plots/Readout.h"

#include <cctype>
#include <cmath>

#include "core/base/CFormat.h"
#include "core/base/Message.h"
#include "core/base/TextIds.h"

namespace phonotab {

ReadoutMode nextReadoutMode(ReadoutMode mode) {
    switch (mode) {
    case ReadoutMode::Cursor: return ReadoutMode::FromMarker1;
    case ReadoutMode::FromMarker1: return ReadoutMode::FromMarker2;
    case ReadoutMode::FromMarker2: return ReadoutMode::Statistics;
    case ReadoutMode::Statistics: return ReadoutMode::Cursor;
    }
    return ReadoutMode::Cursor;
}

std::string withReadoutDecimals(const std::string& format, int decimals) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        out += format[i];
        if (format[i] != '%') continue;
        // A field: copy flags and width up to the point; a precision 0 right
        // after it becomes the decimals.
        std::size_t j = i + 1;
        while (j < format.size() && (std::isdigit(static_cast<unsigned char>(format[j])) || format[j] == '-' ||
                                     format[j] == '+' || format[j] == ' ' || format[j] == '#'))
            ++j;
        if (j + 1 < format.size() && format[j] == '.' && format[j + 1] == '0' &&
            !(j + 2 < format.size() && std::isdigit(static_cast<unsigned char>(format[j + 2])))) {
            out.append(format, i + 1, j - i);  // flags, width and the point
            out += std::to_string(decimals);
            i = j + 1;
        }
    }
    return out;
}

namespace {

std::string number(double v, int decimals) { return cformat("%1.*f", decimals, v); }

std::string xText(const GraphPane& pane, double x, bool withSample) {
    std::string s = cformat("%1.6f", x);
    if (withSample && pane.hasFlag(paneflag::kSampleNumber)) {
        const std::int64_t n = pane.sampleNumberAt(x);
        if (n >= 0) cformatAppend(s, " (%lld)", static_cast<long long>(n + 1));
    }
    return s;
}

std::string statisticsY(const GraphPane& pane) {
    const PaneStats& st = pane.stats();
    const int d = pane.readoutDecimals();
    if (pane.hasFlag(paneflag::kCallerText)) return pane.statisticsText();
    if (pane.hasFlag(paneflag::kFirstMaximum))
        return formatWithArgs(withReadoutDecimals(tr(text::ReadoutMaximum), d), {st.firstSeriesMax});
    if (pane.hasFlag(paneflag::kRootSumSquares)) return number(std::sqrt(st.sumSquares), d);
    // The data range without the two 5 % margins of the axis.
    const double range = (st.yMax - st.yMin) * 0.9090909090909091;
    return formatWithArgs(withReadoutDecimals("%1.0lf (%.0lg, %.0lg)", d), {range, st.mean, st.stdDev});
}

}  // namespace

ReadoutText readoutText(const GraphPane& pane, ReadoutMode mode, std::optional<GraphMarker> cursor) {
    const int d = pane.readoutDecimals();
    ReadoutText out;
    switch (mode) {
    case ReadoutMode::Statistics: {
        const IndexRange vis = pane.visibleRange();
        out.x = formatWithArgs(tr(text::ReadoutPoints), {static_cast<std::int64_t>(vis.count())});
        out.y = statisticsY(pane);
        return out;
    }
    case ReadoutMode::Cursor:
        if (!cursor) return out;
        out.x = xText(pane, cursor->x, true);
        out.y = number(cursor->y, d);
        return out;
    case ReadoutMode::FromMarker1:
    case ReadoutMode::FromMarker2: {
        if (!cursor) return out;
        const GraphMarker& m = pane.marker(mode == ReadoutMode::FromMarker1 ? 1 : 2);
        out.x = xText(pane, cursor->x - m.x, false);
        out.y = number(cursor->y - m.y, d);
        return out;
    }
    }
    return out;
}

}  // namespace phonotab
