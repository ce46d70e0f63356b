#include "core/text.h"

#include <gtest/gtest.h>

namespace gravelock {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const auto back = utf8ToCp1252(cp1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, GermanAndTypographicCharacters) {
    struct Case {
        std::string utf8;
        std::string cp1252;
    };
    // clang-format off
    for (const auto& c : std::vector<Case>{{"Über", "\xDC" "ber"}, {"Schließe", "Schlie\xDF" "e"}, {"€", "\x80"},
                                           {"„x“", "\x84x\x93"}, {"ä ö ü Ä Ö Ü", "\xE4 \xF6 \xFC \xC4 \xD6 \xDC"}}) {
        // clang-format on
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageAndMalformedUtf8AreRefused) {
    struct Case {
        const char* what;
        std::string utf8;
        bool validUtf8 = false;
    };
    for (const auto& c : std::vector<Case>{
             {"Greek", "Ελλάδα", true},
             // Byte 0x80 is the euro sign; U+0080 has no byte of its own.
             {"C1 control U+0080", "\xC2\x80", true},
             {"not UTF-8 at all", "\xFF\xFE"},
             {"overlong CR LF", "a\xC0\x8D\xC0\x8A"},
             {"overlong three-byte slash", "\xE0\x80\xAF"},
             {"first surrogate", "\xED\xA0\x80"},
             {"last surrogate", "\xED\xBF\xBF"},
             {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
             {"cut two-byte sequence", "J\xC3"},
             {"cut euro sign", "\xE2\x82"},
             {"lone continuation byte", "\x80"},
         }) {
        EXPECT_FALSE(utf8ToCp1252(c.utf8).has_value()) << c.what;
        EXPECT_EQ(isValidUtf8(c.utf8), c.validUtf8) << c.what;
    }
    EXPECT_TRUE(isValidUtf8("ä€„\xF0\x9F\x8E\xAE\xEF\xBF\xBD"));
    EXPECT_EQ(firstCharacterOutsideCp1252("Karte Ж1"), "Ж");
    EXPECT_EQ(firstCharacterOutsideCp1252("Köln"), "");
}

TEST(Characters, CutsCountCharactersNotBytes) {
    EXPECT_EQ(characterCount("Größe"), 5u);
    EXPECT_EQ(characterCount("a€„b"), 4u);
    EXPECT_EQ(firstCharacters("Größe", 3), "Grö");
    // Three-byte characters on either side of the cut.
    EXPECT_EQ(firstCharacters("a€„b", 1), "a");
    EXPECT_EQ(firstCharacters("a€„b", 2), "a€");
    EXPECT_EQ(firstCharacters("a€„", 3), "a€„");
    EXPECT_EQ(dropLastCharacters("x€.bsp", 4), "x€");
    EXPECT_EQ(dropLastCharacters("„maps", 4), "„");
    // Too short to cut: nothing is left, and nothing fails.
    EXPECT_EQ(dropLastCharacters("err", 4), "");
    EXPECT_EQ(dropLastCharacters("bsp.", 4), "");
    EXPECT_EQ(dropLastCharacters("", 6), "");
}

} // namespace
} // namespace gravelock
