// The file name of a spoken draft: the first words of its text, safe in any script.
#include <gtest/gtest.h>

#include "audio/spoken_draft.h"

namespace mmx::test {
namespace {

struct NameCase {
    int slot;
    std::string text;
    std::string name;
};

class DraftName : public ::testing::TestWithParam<NameCase> {};

TEST_P(DraftName, TakesTheFirstWordsSafeForAFileName) {
    EXPECT_EQ(audio::draftFileName(GetParam().slot, GetParam().text), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DraftName,
    ::testing::Values(NameCase{3, "Please leave the building now", "draft-3-please-leave-the-building.wav"},
                      NameCase{12, "  Fire!  Evacuate.", "draft-12-fire-evacuate.wav"},
                      NameCase{4, "../../etc/passwd", "draft-4-etc-passwd.wav"},
                      NameCase{5, "Één moment, a.u.b.", "draft-5-Één-moment-a-u.wav"},
                      NameCase{1, "请从最近的出口离开大楼。", "draft-1-请从最近的出口离开大楼.wav"},
                      NameCase{2, "你好，世界！再见", "draft-2-你好-世界-再见.wav"},
                      NameCase{6, "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十", "draft-6-一二三四五六七八九十一二三四五六七八九十一二三四.wav"},
                      NameCase{7, "abcdefghijklmnopqrstuvwxyz", "draft-7-abcdefghijklmnopqrstuvwx.wav"},
                      NameCase{8, "ab\xff\xfe" "cd \xe4\xbd", "draft-8-ab-cd.wav"},
                      NameCase{9, "Doors 3 & 4 close", "draft-9-doors-3-4-close.wav"},
                      NameCase{10, "!!! ??? ...", "draft-10.wav"},
                      NameCase{11, "", "draft-11.wav"},
                      // Blanks and signs from the Latin-1, general punctuation and CJK symbol blocks, at
                      // their edges, separate; the letters beside them do not.
                      NameCase{12, "a\u00A0b\u00D7c\u00F7d", "draft-12-a-b-c-d.wav"},
                      NameCase{1, "\u00BFqu\u00E9\u2000s\u00ED\u2BFFx\u303Fy", "draft-1-qu\u00E9-s\u00ED-x-y.wav"},
                      NameCase{4, "a\uFF3Bb\uFF40c\uFF5Bd\uFF3A", "draft-4-a-b-c-d\uFF3A.wav"},
                      NameCase{5, "e\uFF65f\uFFF0g\uFFFFh\uFF41", "draft-5-e-f-g-h\uFF41.wav"},
                      // An emoji, and what only looks like UTF-8: a surrogate and a code point beyond Unicode.
                      NameCase{3, "x\U0001F600y\xED\xA0\x80" "z\xF4\x90\x80\x80" "w", "draft-3-x-y-z-w.wav"}));

}  // namespace
}  // namespace mmx::test
