#include "core/files/windows1252.h"
#include "core/model/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vap::decodeWindows1252;
using vap::encodeWindows1252;
using vap::findUnencodable;

std::string utf8(char32_t cp) {
    std::string out;
    vap::appendUtf8(out, cp);
    return out;
}

// The code page's characters for bytes 0x80 to 0x9F; the five unassigned bytes keep their value.
constexpr char32_t bytes80to9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t expectedCodePoint(int byte) {
    return byte >= 0x80 && byte <= 0x9F ? bytes80to9F[byte - 0x80] : static_cast<char32_t>(byte);
}

TEST(Windows1252, EveryByteDecodesToItsCharacterAndEncodesBack) {
    std::string all;
    std::string expected;
    for (int byte = 0; byte < 256; ++byte) {
        std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(decodeWindows1252(one), utf8(expectedCodePoint(byte))) << "byte " << byte;
        EXPECT_EQ(encodeWindows1252(utf8(expectedCodePoint(byte))), one) << "byte " << byte;
        all += one;
        expected += utf8(expectedCodePoint(byte));
    }
    std::string decoded = decodeWindows1252(all);
    EXPECT_EQ(decoded, expected);
    EXPECT_FALSE(findUnencodable(decoded).has_value());
    EXPECT_EQ(encodeWindows1252(decoded), all);
}

struct UnencodableCase {
    const char* name;
    std::string text;
    std::size_t offset;
    std::string character;
    char32_t codePoint;
};

class Unencodable : public testing::TestWithParam<UnencodableCase> {};

TEST_P(Unencodable, IsFoundWithItsOffset) {
    const UnencodableCase& c = GetParam();
    auto found = findUnencodable(c.text);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->offset, c.offset);
    EXPECT_EQ(found->codePoint, c.codePoint);
    if (!c.character.empty()) {
        EXPECT_EQ(found->character, c.character);
    }
}

// Offsets count bytes of the UTF-8 text; the first offending character is the one reported.
INSTANTIATE_TEST_SUITE_P(
    Cases, Unencodable,
    testing::Values(
        UnencodableCase{"Chinese", "abc" + utf8(0x4E2D) + "def", 3, utf8(0x4E2D), 0x4E2D},
        UnencodableCase{"AfterAccents", "\xC3\xA9\xE2\x82\xAC" + utf8(0x4E2D), 5, utf8(0x4E2D),
                        0x4E2D},
        UnencodableCase{"Emoji", "ok " + utf8(0x1F600) + utf8(0x4E2D), 3, utf8(0x1F600), 0x1F600},
        UnencodableCase{"LatinExtended", "A" + utf8(0x0100), 1, utf8(0x0100), 0x0100},
        // U+0080 has no byte: 0x80 holds the euro sign.
        UnencodableCase{"ControlWhoseByteHoldsEuro", utf8(0x0080), 0, utf8(0x0080), 0x0080},
        UnencodableCase{"ControlWhoseByteHoldsQuote", "x" + utf8(0x0092), 1, utf8(0x0092), 0x0092},
        UnencodableCase{"ByteFF",
                        "ab\xFF"
                        "cd",
                        2, "\xFF", 0xFFFD},
        UnencodableCase{"LoneContinuation", "ab\x80", 2, "\x80", 0xFFFD},
        UnencodableCase{"CutSequence", "ab\xE2\x82", 2, "", 0xFFFD},
        UnencodableCase{"Overlong", "\xC0\xAF", 0, "", 0xFFFD},
        UnencodableCase{"OverlongThreeBytes", "x\xE0\x80\xAF", 1, "", 0xFFFD},
        UnencodableCase{"Surrogate", "\xED\xA0\x80", 0, "", 0xFFFD},
        UnencodableCase{"BeyondUnicode", "\xF4\x90\x80\x80", 0, "", 0xFFFD},
        UnencodableCase{"BadContinuation", "\xC3(", 0, "", 0xFFFD}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
