// A rectangle in window pixels; right and bottom are exclusive, as the plot
// area's pixel scales count right − left − 1 steps across.
#pragma once

namespace phonotab {

struct PlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const PlotRect&) const = default;
};

}  // namespace phonotab
