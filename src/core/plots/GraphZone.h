// A zone boundary of a pane: a value on one axis and its 32-bit zone word.
//
//   bit 31     30     29 ........ 24   23 .................... 0
//      [ y ]  [band]  [ line form  ]   [     colour index       ]
//
// y:    the boundary is a y value (horizontal line); clear: an x value.
// band: the band between the previous boundary and this one is filled with this
//       boundary's colour; such a boundary, and one followed by such a boundary,
//       is not drawn as a line.
// line form: 63 a dotted line of width 1, any other v a solid line of width v + 2.
#pragma once

#include <cstdint>
#include <vector>

namespace phonotab {

struct GraphZone {
    static constexpr std::uint32_t kHorizontal = 0x80000000u;
    static constexpr std::uint32_t kFillsBand = 0x40000000u;
    static constexpr int kDottedForm = 63;

    double value = 0;
    std::uint32_t word = 0;

    std::uint32_t colourIndex() const { return word & 0xFFFFFFu; }
    int lineForm() const { return static_cast<int>(word >> 24 & 0x3Fu); }
    bool dotted() const { return lineForm() == kDottedForm; }
    int lineWidth() const { return dotted() ? 1 : lineForm() + 2; }
    bool fillsBand() const { return (word & kFillsBand) != 0; }
    bool horizontal() const { return (word & kHorizontal) != 0; }
};

// A stretch of the x axis shaded behind everything else of the pane (the
// night periods and the events of a long record): shown only, never stored,
// and independent of the zone boundaries. colour is 0x00BBGGRR.
struct ShadedSpan {
    double from = 0, to = 0;
    std::uint32_t colour = 0;
    bool operator==(const ShadedSpan&) const = default;
};

// Whether boundary i of an ordered list is drawn as a line: neither it nor the
// boundary after it fills a band.
bool zoneDrawnAsLine(const std::vector<GraphZone>& zones, std::size_t i);

}  // namespace phonotab
