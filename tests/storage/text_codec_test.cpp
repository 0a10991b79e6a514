// Decoding and encoding of the program's text files.
#include <gtest/gtest.h>

#include "storage/text_codec.h"

namespace mmx {
namespace {

TEST(TextCodec, ValidUtf8IsTakenAsItIs) {
    const auto decoded = decodeText("Caf\xC3\xA9=\xE4\xB8\xAD", CodePage::Windows1252);
    EXPECT_EQ(decoded.utf8, "Caf\xC3\xA9=\xE4\xB8\xAD");
    EXPECT_EQ(decoded.encoding, TextEncoding::Utf8);
}

TEST(TextCodec, ByteOrderMarkIsSkippedAndRemembered) {
    const auto decoded = decodeText("\xEF\xBB\xBFK=v", CodePage::GBK);
    EXPECT_EQ(decoded.utf8, "K=v");
    EXPECT_EQ(decoded.encoding, TextEncoding::Utf8WithBom);
    EXPECT_EQ(encodeText("K=v", TextEncoding::Utf8WithBom), "\xEF\xBB\xBFK=v");
}

TEST(TextCodec, InvalidUtf8IsRejectedByTheValidator) {
    EXPECT_FALSE(isValidUtf8("\xE9t\xE9"));        // Latin-1 letters
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xE4\xB8"));          // cut short
    EXPECT_TRUE(isValidUtf8("plain \xF0\x9F\x8E\xB5"));
}

TEST(TextCodec, Windows1252FileDecodesAndEncodesBackToTheSameBytes) {
    const std::string raw = "ge\xFCpload \x80 \x93x\x94";
    const auto decoded = decodeText(raw, CodePage::Windows1252);
    EXPECT_EQ(decoded.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(decoded.utf8, "ge\xC3\xBCpload \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D");
    EXPECT_EQ(encodeText(decoded.utf8, TextEncoding::Windows1252), raw);
}

TEST(TextCodec, UndefinedWindows1252BytesSurviveARoundTrip) {
    const std::string raw = "a\x81" "b\x8D\x8F\x90\x9D" "c";
    const auto decoded = decodeText(raw, CodePage::Windows1252);
    EXPECT_EQ(decoded.utf8, "a\xC2\x81" "b\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D" "c");
    EXPECT_EQ(encodeText(decoded.utf8, TextEncoding::Windows1252), raw);
}

TEST(TextCodec, GbkAndBig5DecodeChineseText) {
    // "中文" in GBK and in Big5.
    EXPECT_EQ(decodeText("\xD6\xD0\xCE\xC4", CodePage::GBK).utf8, "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(decodeText("\xA4\xA4\xA4\xE5", CodePage::Big5).utf8, "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(encodeText("\xE4\xB8\xAD\xE6\x96\x87", TextEncoding::GBK), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(encodeText("\xE4\xB8\xAD\xE6\x96\x87", TextEncoding::Big5), "\xA4\xA4\xA4\xE5");
}

TEST(TextCodec, BrokenMultiByteSequencesBecomeReplacementCharacters) {
    // A GBK lead byte at the very end, and a lead byte followed by a byte no GBK pair uses.
    EXPECT_EQ(decodeText("A\xD6", CodePage::GBK).utf8, "A\xEF\xBF\xBD");
    EXPECT_EQ(decodeText("\xD6\x7F" "B\xFF", CodePage::GBK).utf8.substr(0, 3), "\xEF\xBF\xBD");
}

TEST(TextCodec, CharactersWithoutPlaceInTheCodePageAreRefused) {
    EXPECT_FALSE(encodeText("\xE4\xB8\xAD", TextEncoding::Windows1252).has_value());
    EXPECT_FALSE(encodeText("\xF0\x9F\x8E\xB5", TextEncoding::Big5).has_value());  // a musical note
    EXPECT_FALSE(encodeText("\xE9", TextEncoding::Windows1252).has_value());  // not UTF-8 at all
    EXPECT_EQ(encodeText("\xE9", TextEncoding::Utf8), "\xE9");              // UTF-8 passes bytes through
}

TEST(TextCodec, LanguageFileNamesChooseTheirCodePage) {
    EXPECT_EQ(codePageForLanguageFile("/x/Font/zh-s.lng"), CodePage::GBK);
    EXPECT_EQ(codePageForLanguageFile("ZH-T.LNG"), CodePage::Big5);
    EXPECT_EQ(codePageForLanguageFile("/x/zh-s.d/nl.lng"), CodePage::Windows1252);
    EXPECT_EQ(codePageForLanguageFile("zh-s"), CodePage::GBK);
}

TEST(TextCodec, LinesEndWithCrLfLfOrLoneCr) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitLines(""), std::vector<std::string>{});
    EXPECT_EQ(splitLines("x=1=2"), std::vector<std::string>{"x=1=2"});
}

TEST(TextCodec, CharactersAreCountedNotBytes) {
    EXPECT_EQ(characterCount("\xE4\xB8\xAD\xE6\x96\x87" "ab"), 4u);
    EXPECT_EQ(firstCharacters("\xE4\xB8\xAD\xE6\x96\x87" "ab", 1), "\xE4\xB8\xAD");
    EXPECT_EQ(firstCharacters("abc", 6), "abc");
    EXPECT_EQ(firstCharacters("abcdefgh", 6), "abcdef");
}

}  // namespace
}  // namespace mmx
