// Text measurement for laying out a pane's labels and titles. The desktop
// measures with its fonts; tests use fixed-size characters.
#pragma once

#include <string>

namespace phonotab {

// The fonts of a graph window by use.
enum class TextRole {
    Label,      // tick labels, exponent texts, readouts
    AxisTitle,  // x and y axis titles (bold; the y title drawn upwards)
    PaneTitle,  // the pane's title
};

class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int width(const std::string& utf8, TextRole role) const = 0;
    virtual int height(TextRole role) const = 0;
};

// Every character (code point) w pixels wide, lines h pixels high.
class FixedTextMetrics : public TextMetrics {
public:
    FixedTextMetrics(int w, int h) : w_(w), h_(h) {}
    int width(const std::string& utf8, TextRole) const override {
        int n = 0;
        for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
        return n * w_;
    }
    int height(TextRole) const override { return h_; }

private:
    int w_, h_;
};

}  // namespace phonotab
