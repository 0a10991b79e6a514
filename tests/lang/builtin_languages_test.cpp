// The four language files shipped in "Font": complete, in their code pages, CR LF.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "storage/text_codec.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"
#include "ui/lang/language_file.h"

namespace mmx {
namespace {

const std::string kFont = MMX_FONT_DIR;

std::string raw(const std::string& name) { return test::readText(kFont + name); }

struct Shipped {
    const char* name;
    const char* rawLine;  // a line as the file's code page holds it
    const char* file;     // the File menu caption, in UTF-8
    const char* close;
};
void PrintTo(const Shipped& shipped, std::ostream* out) { *out << shipped.name; }

class BuiltInLanguage : public ::testing::TestWithParam<Shipped> {};

TEST_P(BuiltInLanguage, Has83CrLfLinesInItsCodePageAndLoadsEveryText) {
    const std::string name = GetParam().name;
    const std::string bytes = raw(name);
    size_t crlf = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) crlf += bytes[i] == '\r' && bytes[i + 1] == '\n';
    EXPECT_EQ(crlf, 83u);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 83);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(isValidUtf8(bytes), name == "en.lng");
    EXPECT_NE(bytes.find(GetParam().rawLine), std::string::npos);

    WindowState state;
    state.initialise("/opt/mmx/");
    CaptionTable captions;
    test::RecordingMessageBoxes boxes;
    ASSERT_TRUE(loadLanguageFile(state, captions, kFont + name, boxes));
    ASSERT_TRUE(readSplashCaptions(captions, kFont + name));
    EXPECT_EQ(captions.File, GetParam().file);
    EXPECT_EQ(state.closeText, GetParam().close);
    const auto texts = readLanguageFile(kFont + name);
    ASSERT_TRUE(texts.has_value());
    // Every line that a window shows holds a text; only the spare splash lines and the
    // unused lines 26 and 28 to 31 are empty.
    for (int line = 1; line <= 83; ++line) {
        const bool spare = (line >= 8 && line <= 10) || line == 26 || (line >= 28 && line <= 31);
        EXPECT_EQ((*texts)[static_cast<size_t>(line - 1)].empty(), spare) << name << " line " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Font, BuiltInLanguage,
    ::testing::Values(Shipped{"en.lng", "StatusText(11)=Status: \r\n", "File", "Close"},
                      Shipped{"nl.lng", "StatusText(1)=Bestand wordt ge\xFCpload...\r\n", "Bestand", "Sluiten"},
                      // 文件 and 关闭 in GBK, 檔案 and 關閉 in Big5
                      Shipped{"zh-s.lng", "File=\xCE\xC4\xBC\xFE\r\n", "\xE6\x96\x87\xE4\xBB\xB6", "\xE5\x85\xB3\xE9\x97\xAD"},
                      Shipped{"zh-t.lng", "File=\xC0\xC9\xAE\xD7\r\n", "\xE6\xAA\x94\xE6\xA1\x88", "\xE9\x97\x9C\xE9\x96\x89"}),
    [](const ::testing::TestParamInfo<Shipped>& param) {
        std::string name = param.param.name;
        for (auto& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(BuiltInLanguages, EnglishHoldsExactlyTheBuiltInTexts) {
    WindowState defaults;
    defaults.initialise("/opt/mmx/");
    EXPECT_EQ(raw("en.lng"), test::crlfLines(languageFileLines(defaults, CaptionTable{})));
}

}  // namespace
}  // namespace mmx
