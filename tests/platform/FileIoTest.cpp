#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <set>

#include "platform/FileIo.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A listening unix socket at path (closed with the test folder's removal).
void MakeSocket(const std::filesystem::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << path;
    ::close(fd);
}

std::set<std::string> NamesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// Each kind of thing that may stand at a file's path. A FIFO must be refused without being
// opened for reading: such an open waits for a writer that never comes, and the test would
// hang until ctest stops it.
TEST(FileIoTest, OnlyRegularFilesAreRead) {
    test::TempFolder folder;
    struct Case {
        std::string name;
        std::function<void(const std::filesystem::path&)> make;
        FileReadState state;
        std::string text;
    } cases[] = {
        {"missing", [](const auto&) {}, FileReadState::kMissing, ""},
        {"no-folder/file", [](const auto&) {}, FileReadState::kMissing, ""},
        {"file", [](const auto& p) { WriteText(p, "content"); }, FileReadState::kRead, "content"},
        {"empty", [](const auto& p) { WriteText(p, ""); }, FileReadState::kRead, ""},
        {"limit", [](const auto& p) { WriteText(p, std::string(16, 'x')); }, FileReadState::kRead, std::string(16, 'x')},
        {"large", [](const auto& p) { WriteText(p, std::string(17, 'x')); }, FileReadState::kTooLarge, ""},
        {"folder", [](const auto& p) { std::filesystem::create_directory(p); }, FileReadState::kNotRegular, ""},
        {"fifo", [](const auto& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, FileReadState::kNotRegular, ""},
        {"socket", [](const auto& p) { MakeSocket(p); }, FileReadState::kNotRegular, ""},
        {"link-to-file",
         [&folder](const auto& p) {
             WriteText(folder / "target", "linked");
             std::filesystem::create_symlink(folder / "target", p);
         },
         FileReadState::kRead, "linked"},
        {"link-to-fifo",
         [&folder](const auto& p) {
             ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
             std::filesystem::create_symlink(folder / "pipe", p);
         },
         FileReadState::kNotRegular, ""},
        {"dangling-link", [&folder](const auto& p) { std::filesystem::create_symlink(folder / "gone", p); },
         FileReadState::kMissing, ""},
    };
    for (const Case& c : cases) {
        const std::filesystem::path path = folder / c.name;
        c.make(path);
        const FileContent content = ReadFileContent(path, 16);
        EXPECT_EQ(content.state, c.state) << c.name;
        EXPECT_EQ(content.text, c.text) << c.name;
        EXPECT_EQ(ReadWholeFile(path, 16).has_value(), c.state == FileReadState::kRead) << c.name;
    }
}

// What a write may find at its path: it replaces files (and creates them), never anything else,
// and leaves no temporary file whatever happens.
TEST(FileIoTest, WritesReplaceOnlyFilesAndLeaveNoTemporaryFile) {
    struct Case {
        std::string name;
        std::function<void(const std::filesystem::path&)> make;
        bool written;
    } cases[] = {
        {"new", [](const auto&) {}, true},
        {"file", [](const auto& p) { WriteText(p, "old"); }, true},
        {"folder", [](const auto& p) { std::filesystem::create_directory(p); }, false},
        {"fifo", [](const auto& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false},
        {"socket", [](const auto& p) { MakeSocket(p); }, false},
    };
    for (const Case& c : cases) {
        test::TempFolder folder;
        const std::filesystem::path path = folder / c.name;
        c.make(path);
        const auto type = std::filesystem::symlink_status(path).type();
        EXPECT_EQ(WriteFileAtomically(path, "new content"), c.written) << c.name;
        if (c.written) {
            EXPECT_EQ(ReadWholeFile(path, 100), "new content") << c.name;
        } else {
            EXPECT_EQ(std::filesystem::symlink_status(path).type(), type) << c.name << " stays as it was";
        }
        EXPECT_EQ(NamesIn(folder.Path()), std::set<std::string>{c.name}) << c.name;
    }
    test::TempFolder folder;
    EXPECT_FALSE(WriteFileAtomically(folder / "no-folder" / "file", "x"));
    EXPECT_FALSE(WriteFileAtomically("", "x")) << "an empty path names no file";
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

// Only the program's own temporary files go, and only when no writer holds them.
TEST(FileIoTest, InterruptedWritesAreRemovedByTheirNameOnly) {
    test::TempFolder folder;
    struct Case {
        std::string name;
        bool removed;
    } cases[] = {
        {".ProfileList.ini.morvek-a1B2c3", true},
        {".2026_01_01_00_00_00_000.Json.morvek-ZZZZZZ", true},
        {".x.morvek-000000", true},
        {"ProfileList.ini", false},
        {".bashrc.backup", false},          // six letters after a dot, but not the marker
        {".ProfileList.ini.XyZ123", false},  // the plain mkstemp pattern of other programs
        {".morvek-a1B2c3", false},           // no file name before the marker
        {"x.morvek-a1B2c3", false},          // not hidden
        {".x.morvek-a1B2c", false},          // five letters
        {".x.morvek-a1B2c34", false},        // seven
        {".x.morvek-a1B2c!", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsInterruptedWriteName(c.name), c.removed) << c.name;
        WriteText(folder / c.name, "left over");
    }
    // A temporary file of our kind that is a folder, or one a running writer holds, stays.
    std::filesystem::create_directory(folder / ".dir.morvek-a1B2c3");
    WriteText(folder / ".held.morvek-a1B2c3", "being written");
    const int held = ::open((folder / ".held.morvek-a1B2c3").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    const std::vector<std::filesystem::path> removed = RemoveInterruptedWrites(folder.Path());
    ::close(held);
    std::set<std::string> expected = {".dir.morvek-a1B2c3", ".held.morvek-a1B2c3"};
    for (const Case& c : cases) {
        if (!c.removed) expected.insert(c.name);
    }
    EXPECT_EQ(NamesIn(folder.Path()), expected);
    EXPECT_EQ(removed.size(), 3u);
    EXPECT_TRUE(RemoveInterruptedWrites(folder / "missing").empty());
}

TEST(FileIoTest, DamagedFilesAreKeptBesideUnderAFreeName) {
    test::TempFolder folder;
    const std::filesystem::path list = folder / "macro.config";
    for (const std::string expected : {"macro.config.damaged", "macro.config.damaged-2", "macro.config.damaged-3"}) {
        WriteText(list, "broken " + expected);
        const auto kept = KeepDamagedFile(list);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(*kept, folder / expected);
        EXPECT_EQ(ReadWholeFile(*kept, 100), "broken " + expected);
        EXPECT_FALSE(std::filesystem::exists(list));
    }
    EXPECT_EQ(KeepDamagedFile(folder / "missing"), std::nullopt);
}

}  // namespace
}  // namespace morvek
