#include <gtest/gtest.h>

#include "core/base/TextCodec.h"

using namespace phonotab;

TEST(TextCodec, Utf16RoundTripIncludingSurrogatePairs) {
    const std::string text = "Шумомер Ӧ 𝄞 A";
    const std::string le = utf8ToUtf16leBytes(text);
    const auto* p = reinterpret_cast<const std::uint8_t*>(le.data());
    EXPECT_EQ(utf16leToUtf8(ByteSpan(p, le.size())), text);
    // An unpaired surrogate is replaced, not passed through as invalid UTF-8.
    const std::u16string broken = {u'a', 0xD800, u'b'};
    const std::string out = utf16ToUtf8(broken);
    EXPECT_TRUE(isValidUtf8(out));
    EXPECT_EQ(out, "a\xEF\xBF\xBD" "b");
}

TEST(TextCodec, Cp1251RoundTripAndUnmappable) {
    const std::string ru = "Ёлка №5: Продолжительность «тест»";
    const std::string bytes = utf8ToCp1251(ru);
    EXPECT_EQ(bytes.size(), 33u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xA8);  // Ё
    EXPECT_EQ(cp1251ToUtf8(bytes), ru);
    EXPECT_EQ(utf8ToCp1251("Ә"), "?");
}

TEST(TextCodec, EightBitTextIsUtf8WhenValidElseCp1251) {
    EXPECT_EQ(decodeLocal8Bit("Дата"), "Дата");
    EXPECT_EQ(decodeLocal8Bit(utf8ToCp1251("Дата")), "Дата");
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));  // overlong encodings are not UTF-8
}

TEST(TextCodec, EncodingNames) {
    TextEncoding e;
    EXPECT_TRUE(parseTextEncoding("CP1251", e));
    EXPECT_EQ(e, TextEncoding::Cp1251);
    EXPECT_TRUE(parseTextEncoding("utf-8", e));
    EXPECT_EQ(e, TextEncoding::Utf8);
    EXPECT_FALSE(parseTextEncoding("koi8-r", e));
}
