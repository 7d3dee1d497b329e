// The program's read-only data and its own libraries are found beside the executable in the
// build tree and in the install layout (<prefix>/bin beside <prefix>/share and <prefix>/lib),
// whatever the working folder is.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Paths.h"
#include "TempDir.h"

namespace morvek {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
    const char* what;
    const char* folderToCreate;  // relative to the temporary root; nullptr for none
    const char* expected;        // relative to the temporary root
};

class ProgramFoldersTest : public ::testing::TestWithParam<FolderCase> {
protected:
    hid::testing::TempDir root_;
};

TEST_P(ProgramFoldersTest, DataFolderFollowsTheLayoutTheProgramRunsIn) {
    const FolderCase& c = GetParam();
    if (c.folderToCreate != nullptr) fs::create_directories(root_.Path() / c.folderToCreate);
    fs::create_directories(root_.Path() / "usr" / "bin");
    const fs::path previous = fs::current_path();
    // A working folder holding a "skin" of its own must not be taken.
    fs::create_directories(root_.Path() / "elsewhere" / "skin");
    fs::current_path(root_.Path() / "elsewhere");
    const fs::path found = ProgramDataFolder("skin", root_.Path() / "usr" / "bin");
    fs::current_path(previous);
    EXPECT_EQ(found, root_.Path() / c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Layouts, ProgramFoldersTest,
                         ::testing::Values(FolderCase{"build tree", "usr/bin/skin", "usr/bin/skin"},
                                           FolderCase{"installed", "usr/share/morvek/skin", "usr/share/morvek/skin"},
                                           FolderCase{"missing: the build-tree place", nullptr, "usr/bin/skin"}));

TEST(ProgramLibraryFolderTest, BuildTreeSdkFolderElseInstalledLibFolder) {
    hid::testing::TempDir root;
    const fs::path bin = root.Path() / "usr" / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(ProgramLibraryFolder(bin), bin / "SDK") << "neither exists";
    fs::create_directories(root.Path() / "usr" / "lib" / "morvek");
    EXPECT_EQ(ProgramLibraryFolder(bin), root.Path() / "usr" / "lib" / "morvek");
    fs::create_directories(bin / "SDK");
    EXPECT_EQ(ProgramLibraryFolder(bin), bin / "SDK");
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningExecutable) {
    const fs::path folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(folder / "morvek_platform_tests")) << folder;
}

}  // namespace
}  // namespace morvek
