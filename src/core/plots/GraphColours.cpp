#include "core/plots/GraphColours.h"

namespace phonotab {

namespace {

constexpr std::array<ColourWord, 16> kStandardSixteen = {
    rgbWord(0, 0, 0),       rgbWord(0, 0, 168),     rgbWord(0, 168, 0),     rgbWord(0, 168, 168),
    rgbWord(168, 0, 0),     rgbWord(168, 0, 168),   rgbWord(168, 84, 0),    rgbWord(168, 168, 168),
    rgbWord(84, 84, 84),    rgbWord(84, 84, 252),   rgbWord(84, 252, 84),   rgbWord(84, 252, 252),
    rgbWord(252, 84, 84),   rgbWord(252, 84, 252),  rgbWord(252, 252, 84),  rgbWord(252, 252, 252),
};

ColourTable makeStandard() {
    ColourTable t;
    // 0–15 and 32–47: the sixteen standard colours; 16–31: a grey ramp;
    // 48–255: a colour cube of six levels per channel (208 of its 216 entries).
    for (int i = 0; i < 16; ++i) {
        t.set(i, kStandardSixteen[i]);
        t.set(32 + i, kStandardSixteen[i]);
        const unsigned grey = static_cast<unsigned>(i * 17);
        t.set(16 + i, rgbWord(grey, grey, grey));
    }
    for (int i = 48; i < ColourTable::kSize; ++i) {
        const int n = i - 48;
        const unsigned r = static_cast<unsigned>(n / 36 % 6 * 51);
        const unsigned g = static_cast<unsigned>(n / 6 % 6 * 51);
        const unsigned b = static_cast<unsigned>(n % 6 * 51);
        t.set(i, rgbWord(r, g, b));
    }
    return t;
}

}  // namespace

const ColourTable& ColourTable::standard() {
    static const ColourTable table = makeStandard();
    return table;
}

}  // namespace phonotab
