// Every message file is read whole and checked again before an image is made of it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/file_refusal.h"
#include "storage/message_files.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using Kind = MessageFileProblem::Kind;

class MessageFiles : public ::testing::Test {
protected:
    void put(int k, const std::string& path, const std::string& name) {
        setup.slot(k).path = path;
        setup.slot(k).name = name;
    }
    test::ScratchFolder folder;
    mmx::Setup setup;
};

TEST_F(MessageFiles, ImageHoldsExactlyTheFileBytes) {
    put(1, folder.writeWave("a.wav", {.dataBytes = 1001}), "a");
    put(2, folder.writeWave("b.wav", {.dataBytes = 1001}), "b");
    setup.trigger(1).sequence[0] = 2;
    const LoadedImage loaded = loadUnitImage(setup);
    ASSERT_TRUE(loaded.image) << loaded.problem->detail;
    ASSERT_EQ(loaded.image->messages().size(), 2u);
    const auto file = test::readBytes(folder.folder() + "a.wav");
    const auto& stored = loaded.image->messages()[0].bytes;
    EXPECT_TRUE(std::equal(file.begin(), file.end(), stored.begin()));
    EXPECT_EQ(loaded.image->messages()[1].address, loaded.image->messages()[0].wordCount());
    EXPECT_EQ(loaded.image->triggers().sequence[0][0], 2);
}

struct Trouble {
    const char* name;
    Kind kind;
    std::optional<int> messageBoxIndex;
};

class MessageFileTrouble : public MessageFiles, public ::testing::WithParamInterface<Trouble> {};

TEST_P(MessageFileTrouble, StopsBeforeAnythingIsSentNamingTheSlot) {
    put(1, folder.writeWave("good.wav", {.dataBytes = 100}), "good");
    const std::string what = GetParam().name;
    std::string path = folder.folder() + "second.wav";
    if (what == "Vanished") {
        // nothing at the path
    } else if (what == "NowStereo") {
        folder.writeWave("second.wav", {.channels = 2, .dataBytes = 100});
    } else if (what == "NowEmpty") {
        folder.write("second.wav", std::string());
    } else if (what == "Fifo") {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (what == "Folder") {
        std::filesystem::create_directory(path);
    }
    put(2, path, "second");
    const LoadedImage loaded = loadUnitImage(setup);
    ASSERT_FALSE(loaded.image);
    ASSERT_TRUE(loaded.problem);
    EXPECT_EQ(loaded.problem->kind, GetParam().kind);
    EXPECT_EQ(loaded.problem->slot, 2);
    EXPECT_EQ(loaded.problem->name, "second");
    EXPECT_EQ(loaded.problem->messageBoxIndex, GetParam().messageBoxIndex);
}

INSTANTIATE_TEST_SUITE_P(Files, MessageFileTrouble,
                         ::testing::Values(Trouble{"Vanished", Kind::Missing, std::nullopt},
                                           Trouble{"NowStereo", Kind::Refused, FileRefusal::NotMono},
                                           Trouble{"NowEmpty", Kind::Refused, FileRefusal::NotWave},
                                           Trouble{"Fifo", Kind::Missing, std::nullopt},
                                           Trouble{"Folder", Kind::Missing, std::nullopt}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MessageFiles, FilesThatGrewPastTheMemoryAreRefusedAsAWhole) {
    const test::WaveShape big{.sampleRate = 24000, .dataBytes = 4'200'000};
    put(1, folder.writeWave("a.wav", big), "a");
    put(2, folder.writeWave("b.wav", big), "b");
    const LoadedImage loaded = loadUnitImage(setup);
    ASSERT_TRUE(loaded.problem);
    EXPECT_EQ(loaded.problem->kind, Kind::OverCapacity);
    EXPECT_EQ(loaded.problem->messageBoxIndex, FileRefusal::ExceedsCapacity);
}

}  // namespace
}  // namespace mmx
