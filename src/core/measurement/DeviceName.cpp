#include "core/measurement/DeviceName.h"

#include <array>
#include <string_view>

#include "core/base/TextCodec.h"

namespace phonotab {

namespace {

// The 112 national positions of each set: positions 0–31 stand for the bytes
// 32–63, positions 32–111 for the bytes 176–255.
constexpr std::string_view kSet1 =
    "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮ"
    "Яабвгдеёжзийклмнопрстуфхцчшщъыьэюя!\"#$%&'()*+,-.:;?<=>@[\\]^_`{|}~ў°№¤0123456789 ";
constexpr std::string_view kSet2 =
    "АӘБВГҒДЕЁЖЗИЙКҚЛМНҢОӨПРСТУҰҮФХҺЦ"
    "ЧШЩЪЫIЬЭЮЯаәбвгғдеёжзийкқлмнңоөпрстуұүфхһцчшщъыiьэюя!\"#$%&'()*+,-.:;?0123456789 ";
constexpr std::string_view kSet3 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef"
    "ghijklmnopqrstuvwxyz!\"#$%&'()*+,-.:;?<=>@[\\]^_`{|}~ў°№¤              0123456789 ";

using CharTable = std::array<char32_t, 112>;

CharTable toTable(std::string_view utf8) {
    CharTable t;
    t.fill(U' ');
    const std::u16string units = utf8ToUtf16(utf8);
    std::size_t n = 0;
    for (char16_t u : units) {
        if (n < t.size()) t[n++] = u;
    }
    return t;
}

const CharTable& table(int set) {
    static const CharTable t1 = toTable(kSet1);
    static const CharTable t2 = toTable(kSet2);
    static const CharTable t3 = toTable(kSet3);
    return set == 1 ? t1 : set == 2 ? t2 : t3;
}

}  // namespace

std::string DecodeDeviceName(ByteSpan bytes, std::uint8_t charset) {
    static constexpr std::string_view kAscii =
        "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
    std::string out;
    for (std::uint8_t b : bytes) {
        char32_t ch = U' ';
        if (b < 32) {
            ch = U' ';
        } else if (b >= 64 && b <= 175) {
            const std::size_t pos = b - 64u;
            ch = pos < kAscii.size() ? static_cast<char32_t>(kAscii[pos]) : U' ';
        } else if (charset >= 1 && charset <= 3) {
            const std::size_t pos = b < 64 ? b - 32u : b - 144u;
            ch = table(charset)[pos];
        }
        appendUtf8(out, ch);
    }
    return out;
}

}  // namespace phonotab
