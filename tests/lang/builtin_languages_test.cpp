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

class BuiltInLanguage : public ::testing::TestWithParam<const char*> {};

TEST_P(BuiltInLanguage, Has83CrLfLinesAndLoadsEveryText) {
    const std::string bytes = raw(GetParam());
    size_t crlf = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) crlf += bytes[i] == '\r' && bytes[i + 1] == '\n';
    EXPECT_EQ(crlf, 83u);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 83);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    ProgramState state;
    state.initialise("/opt/mmx/");
    CaptionTable captions;
    test::RecordingMessageBoxes boxes;
    ASSERT_TRUE(OpenLng(state, captions, kFont + GetParam(), boxes));
    ASSERT_TRUE(Open_Logo_Lng(captions, kFont + GetParam()));
    const auto texts = readLanguageFile(kFont + GetParam());
    ASSERT_TRUE(texts.has_value());
    // Every line that a window shows holds a text; only the spare splash lines and the
    // unused lines 26 and 28 to 31 are empty.
    for (int line = 1; line <= 83; ++line) {
        const bool spare = (line >= 8 && line <= 10) || line == 26 || (line >= 28 && line <= 31);
        EXPECT_EQ((*texts)[static_cast<size_t>(line - 1)].empty(), spare) << GetParam() << " line " << line;
    }
    EXPECT_EQ(state.texts.messageBox(12), "RS232 Com Port cannot be open!");
    EXPECT_EQ(state.FrameCaption.substr(state.FrameCaption.size() - 11), " Ver. 2.3  ");
}

INSTANTIATE_TEST_SUITE_P(Font, BuiltInLanguage, ::testing::Values("en.lng", "nl.lng", "zh-s.lng", "zh-t.lng"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             for (auto& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(BuiltInLanguages, EnglishHoldsExactlyTheBuiltInTexts) {
    ProgramState defaults;
    defaults.initialise("/opt/mmx/");
    std::string expected;
    for (const auto& line : languageFileLines(defaults, CaptionTable{})) expected += line + "\r\n";
    EXPECT_EQ(raw("en.lng"), expected);
    EXPECT_NE(raw("en.lng").find("StatusText(11)=Status: \r\n"), std::string::npos);
    EXPECT_NE(raw("en.lng").find("MDIMMX4210=MMX 4210 Zanth Message Manager Setup \r\n"), std::string::npos);
}

TEST(BuiltInLanguages, DutchIsWindows1252) {
    const std::string bytes = raw("nl.lng");
    EXPECT_FALSE(isValidUtf8(bytes));
    EXPECT_NE(bytes.find("StatusText(1)=Bestand wordt ge\xFCpload...\r\n"), std::string::npos);
    ProgramState state;
    state.initialise("/opt/mmx/");
    CaptionTable captions;
    test::RecordingMessageBoxes boxes;
    ASSERT_TRUE(OpenLng(state, captions, kFont + "nl.lng", boxes));
    EXPECT_EQ(state.texts.status(1), "Bestand wordt ge\xC3\xBCpload...");
    EXPECT_EQ(captions.File, "Bestand");
    EXPECT_EQ(captions.Bt_Browse, "Bladeren");
    EXPECT_EQ(state.texts.saveQuestion(), "Wilt u de wijzigingen opslaan?");
    EXPECT_EQ(state.CloseText, "Sluiten");
}

TEST(BuiltInLanguages, SimplifiedChineseIsGbk) {
    const std::string bytes = raw("zh-s.lng");
    EXPECT_FALSE(isValidUtf8(bytes));
    EXPECT_NE(bytes.find("File=\xCE\xC4\xBC\xFE\r\n"), std::string::npos);  // 文件 in GBK
    ProgramState state;
    state.initialise("/opt/mmx/");
    CaptionTable captions;
    test::RecordingMessageBoxes boxes;
    ASSERT_TRUE(OpenLng(state, captions, kFont + "zh-s.lng", boxes));
    EXPECT_EQ(captions.File, "\xE6\x96\x87\xE4\xBB\xB6");                     // 文件
    EXPECT_EQ(captions.Frame1_0, "\xE6\xB6\x88\xE6\x81\xAF");                 // 消息
    EXPECT_EQ(state.texts.messageBox(9), "\xE6\x89\xBE\xE4\xB8\x8D\xE5\x88\xB0\xE8\xAF\xAD\xE8\xA8\x80"
                                         "\xE6\x96\x87\xE4\xBB\xB6\xEF\xBC\x81");  // 找不到语言文件！
}

TEST(BuiltInLanguages, TraditionalChineseIsBig5) {
    const std::string bytes = raw("zh-t.lng");
    EXPECT_FALSE(isValidUtf8(bytes));
    EXPECT_NE(bytes.find("File=\xC0\xC9\xAE\xD7\r\n"), std::string::npos);  // 檔案 in Big5
    ProgramState state;
    state.initialise("/opt/mmx/");
    CaptionTable captions;
    test::RecordingMessageBoxes boxes;
    ASSERT_TRUE(OpenLng(state, captions, kFont + "zh-t.lng", boxes));
    EXPECT_EQ(captions.File, "\xE6\xAA\x94\xE6\xA1\x88");                     // 檔案
    EXPECT_EQ(captions.Frame1_1, "\xE8\xA7\xB8\xE7\x99\xBC");                 // 觸發
    EXPECT_EQ(state.CloseText, "\xE9\x97\x9C\xE9\x96\x89");                   // 關閉
}

}  // namespace
}  // namespace mmx
