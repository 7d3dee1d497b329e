// Which downloads this machine starts, and how.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "update/UpdateLauncher.h"

namespace morvek::update {
namespace {

// An ELF header for a machine number, little endian, 64-bit.
std::string ElfHeader(uint16_t machine) {
    std::string head = "\x7f" "ELF";
    head += '\x02';  // 64-bit
    head += '\x01';  // little endian
    head.resize(18, '\0');
    head += static_cast<char>(machine & 0xff);
    head += static_cast<char>(machine >> 8);
    head.resize(64, '\0');
    return head;
}

uint16_t ThisMachine() {
#if defined(__x86_64__)
    return 62;
#elif defined(__aarch64__)
    return 183;
#else
    return 0;
#endif
}

class RecordingOpener final : public IUpdateOpener {
public:
    bool OpenWithDesktop(const std::filesystem::path& file) override {
        opened.push_back(file);
        return desktopWorks;
    }
    int RunProgram(const std::filesystem::path& file) override {
        ran.push_back(file);
        return exitStatus;
    }
    std::vector<std::filesystem::path> opened;
    std::vector<std::filesystem::path> ran;
    bool desktopWorks = true;
    int exitStatus = 0;
};

struct LaunchCase {
    const char* what;
    std::string content;
    InstallerKind kind;
    LaunchResult result;
    bool opened;
    bool ran;
};

TEST(UpdateLauncherTest, ProgramsOfThisMachineRunPackagesGoToTheDesktopOthersStay) {
    const uint16_t foreign = ThisMachine() == 183 ? 62 : 183;
    const LaunchCase cases[] = {
        {"Windows program", "MZ\x90\0\x03", InstallerKind::kForeignProgram, LaunchResult::kNotRunnable, false, false},
        {"program of another processor", ElfHeader(foreign), InstallerKind::kForeignProgram,
         LaunchResult::kNotRunnable, false, false},
        {"cut ELF header", "\x7f" "ELF\x02", InstallerKind::kForeignProgram, LaunchResult::kNotRunnable, false, false},
        {"program of this machine", ElfHeader(ThisMachine()), InstallerKind::kProgram, LaunchResult::kFinished, false,
         true},
        {"script", "#!/bin/sh\necho\n", InstallerKind::kProgram, LaunchResult::kFinished, false, true},
        {"Debian package", "!<arch>\ndebian-binary", InstallerKind::kDocument, LaunchResult::kHandedOver, true,
         false},
        {"empty file", "", InstallerKind::kDocument, LaunchResult::kHandedOver, true, false},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        const auto file = folder / "update.bin";
        std::ofstream(file, std::ios::binary) << c.content;
        EXPECT_EQ(ClassifyInstaller(file), c.kind);
        RecordingOpener opener;
        EXPECT_EQ(LaunchUpdate(opener, file), c.result);
        EXPECT_EQ(opener.opened.size(), c.opened ? 1u : 0u);
        EXPECT_EQ(opener.ran.size(), c.ran ? 1u : 0u);
    }
}

TEST(UpdateLauncherTest, FailuresOfTheOpenerAndOfTheProgramAreFailures) {
    test::TempFolder folder;
    const auto package = folder / "a.deb";
    const auto script = folder / "a.sh";
    std::ofstream(package) << "!<arch>\n";
    std::ofstream(script) << "#!/bin/sh\n";
    RecordingOpener opener;
    opener.desktopWorks = false;
    opener.exitStatus = 3;
    EXPECT_EQ(LaunchUpdate(opener, package), LaunchResult::kFailed);
    EXPECT_EQ(LaunchUpdate(opener, script), LaunchResult::kFailed);
}

TEST(UpdateLauncherTest, DesktopOpenerRunsAScriptAndReportsItsExitStatus) {
    test::TempFolder folder;
    const auto marker = folder / "ran";
    const auto good = folder / "good.sh";
    const auto bad = folder / "bad.sh";
    std::ofstream(good) << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
    std::ofstream(bad) << "#!/bin/sh\nexit 4\n";
    DesktopOpener opener;
    EXPECT_EQ(opener.RunProgram(good), 0);
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_EQ(opener.RunProgram(bad), 4);
    EXPECT_EQ(opener.RunProgram(folder / "missing"), -1);
}

}  // namespace
}  // namespace morvek::update
