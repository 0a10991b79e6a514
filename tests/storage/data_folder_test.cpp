// Where the language files, translations and help documents are found: under share/ for an
// installed program, beside the program everywhere else.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/data_folder.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::ScratchFolder;

struct DataLayout {
    const char* name;
    const char* programFolder;  // below the scratch folder
    const char* existingFolder;  // made below the scratch folder ("" for none)
    const char* expected;        // below the scratch folder
};

class DataFolder : public ::testing::TestWithParam<DataLayout> {};

TEST_P(DataFolder, FollowsTheLayout) {
    const DataLayout& layout = GetParam();
    ScratchFolder root;
    std::filesystem::create_directories(root.path() / "usr/lib/mmx4210");
    std::filesystem::create_directories(root.path() / "build/apps/gui");
    if (*layout.existingFolder) std::filesystem::create_directories(root.path() / layout.existingFolder);
    EXPECT_EQ(dataFolderFor(root.folder() + layout.programFolder), root.folder() + layout.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DataFolder,
    ::testing::Values(
        DataLayout{"Installed", "usr/lib/mmx4210/", "usr/share/mmx4210", "usr/share/mmx4210/"},
        DataLayout{"InstalledWithoutSlash", "usr/lib/mmx4210", "usr/share/mmx4210", "usr/share/mmx4210/"},
        DataLayout{"InstalledInLocal", "usr/local/lib/mmx4210/", "usr/local/share/mmx4210", "usr/local/share/mmx4210/"},
        DataLayout{"InstalledWithoutItsData", "usr/lib/mmx4210/", "", "usr/lib/mmx4210/"},
        DataLayout{"BuildFolder", "build/apps/gui/", "build/share/mmx4210", "build/apps/gui/"},
        DataLayout{"OwnFolderNotUnderLib", "opt/mmx4210/", "share/mmx4210", "opt/mmx4210/"},
        DataLayout{"OtherProgramUnderLib", "usr/lib/other/", "usr/share/other", "usr/lib/other/"}),
    [](const ::testing::TestParamInfo<DataLayout>& param) { return std::string(param.param.name); });

TEST(DataFolderOf, ACurrentFolderStaysBesideTheProgram) { EXPECT_EQ(dataFolderFor(""), "./"); }

}  // namespace
}  // namespace mmx
