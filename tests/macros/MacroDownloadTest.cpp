#include <gtest/gtest.h>

#include "EmulatedChannel.h"
#include "MacroFixtures.h"
#include "macros/DeviceMacroImage.h"
#include "macros/MacroDownload.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using test::EmulatedChannel;
using Bytes = std::vector<uint8_t>;

std::vector<MacroEvent> Events(size_t n) {
    std::vector<MacroEvent> events;
    for (size_t i = 0; i < n; ++i) events.push_back(test::KeyEvent(static_cast<int>(4 + i % 20), i % 2 == 0, 5));
    return events;
}

Bytes Head(const Bytes& memory, size_t n) { return Bytes(memory.begin(), memory.begin() + static_cast<long>(n)); }

class MacroDownloadTest : public ::testing::Test {
protected:
    test::TempFolder folder_;
};

TEST_F(MacroDownloadTest, KeyboardGetsTheImageInItsMacroMemory) {
    const std::vector<std::vector<MacroEvent>> macros = {Events(3), {}, Events(7)};
    test::WriteMacroFolder(folder_.Path(), macros);
    EmulatedChannel keyboard(EmulatedKind::Keyboard);

    ASSERT_EQ(DownloadMacros(keyboard.Channel(), folder_.Path(), kKindKeyboard), kMacroDownloadDone);
    const Bytes image = DeviceMacroImage::Build(macros);
    EXPECT_EQ(keyboard.Device().MacroHighWater(), image.size());
    EXPECT_EQ(Head(keyboard.Device().MacroMemory(), image.size()), image);
    const Bytes commands = keyboard.TakeCommands();
    const Bytes expected = {kCmdReadDeviceInfo, kCmdWriteMacroData, kCmdWriteMacroData, kCmdEndConfig};
    EXPECT_EQ(commands, expected);  // 16 + 18 + 40 = 74 bytes: two chunks
}

TEST_F(MacroDownloadTest, MacrosThatDoNotFitAreNotWritten) {
    // Keyboard memory 4096 bytes: one macro of 1019 events takes 16 + 6 + 4076 = 4098 bytes.
    test::WriteMacroFolder(folder_.Path(), {Events(1019)});
    EmulatedChannel keyboard(EmulatedKind::Keyboard);
    EXPECT_EQ(DownloadMacros(keyboard.Channel(), folder_.Path(), kKindKeyboard), 1);
    test::WriteMacroFolder(folder_.Path(), {Events(1000), Events(20)});  // 16 + 12 + 4080 = 4108
    EXPECT_EQ(DownloadMacros(keyboard.Channel(), folder_.Path(), kKindKeyboard), 4);
    EXPECT_EQ(keyboard.Device().MacroHighWater(), 0u);
    EXPECT_EQ(keyboard.TakeCommands(), (Bytes{kCmdReadDeviceInfo, kCmdReadDeviceInfo}));

    // Exactly full: 16 + 12 + 4 × 1017 = 4096 bytes.
    test::WriteMacroFolder(folder_.Path(), {Events(1017), {}});
    EXPECT_EQ(DownloadMacros(keyboard.Channel(), folder_.Path(), kKindKeyboard), kMacroDownloadDone);
    EXPECT_EQ(keyboard.Device().MacroHighWater(), 4096u);
}

TEST_F(MacroDownloadTest, NoMacrosLeavesTheDeviceUntouched) {
    EmulatedChannel keyboard(EmulatedKind::Keyboard);
    EXPECT_EQ(DownloadMacros(keyboard.Channel(), folder_.Path(), kKindKeyboard), kMacroDownloadDone);
    test::WriteText(folder_ / "macro.config", R"({"MacroInfo": []})");
    EXPECT_EQ(DownloadMacros(keyboard.Channel(), folder_.Path(), kKindKeyboard), kMacroDownloadDone);
    EXPECT_TRUE(keyboard.TakeCommands().empty());
    EXPECT_EQ(keyboard.Device().ReportCount(), 0u);
}

TEST_F(MacroDownloadTest, MissingOrTamperedMacroFilesCountAsEmptyMacros) {
    test::WriteMacroFolder(folder_.Path(), {Events(2), Events(2)});
    std::filesystem::remove(*MacroFile::PathFor(folder_.Path(), test::FixtureGuid(0)));
    Json::Value list = readjsonFile(folder_ / "macro.config");
    list["MacroInfo"][1]["Guid"] = "../" + test::FixtureGuid(1);
    WriteJsonFile(folder_ / "macro.config", list);
    EmulatedChannel keyboard(EmulatedKind::Keyboard);
    ASSERT_EQ(DownloadMacros(keyboard.Channel(), folder_.Path(), kKindKeyboard), kMacroDownloadDone);
    const std::vector<std::vector<MacroEvent>> empty(2);
    const Bytes image = DeviceMacroImage::Build(empty);
    EXPECT_EQ(Head(keyboard.Device().MacroMemory(), image.size()), image);
}

TEST_F(MacroDownloadTest, MouseSequenceAndDeviceFailuresAreReported) {
    test::WriteMacroFolder(folder_.Path(), {Events(4)});
    EmulatedChannel mouse(EmulatedKind::Mouse);
    ASSERT_EQ(DownloadMacros(mouse.Channel(), folder_.Path(), kKindMouse), kMacroDownloadDone);
    EXPECT_EQ(mouse.TakeCommands(),
              (Bytes{kCmdReadDeviceInfo, kCmdBeginConfig, kCmdWriteMacroData, kCmdEndConfig}));
    EXPECT_EQ(mouse.Device().MacroHighWater(), 16u + 6u + 16u);
    EXPECT_FALSE(mouse.Device().ConfigOpen());

    // A device that refuses every command: the download says so instead of claiming success.
    mouse.Device().SetFaults({.forcedStatus = 0xFF});
    EXPECT_EQ(DownloadMacros(mouse.Channel(), folder_.Path(), kKindMouse), kMacroDownloadFailed);
    mouse.Channel().Close();
    EXPECT_EQ(DownloadMacros(mouse.Channel(), folder_.Path(), kKindMouse), kMacroDownloadFailed);
    // Kinds without macro memory.
    EXPECT_EQ(DownloadMacros(mouse.Channel(), folder_.Path(), kKindHeadset), kMacroDownloadFailed);
}

TEST_F(MacroDownloadTest, WirelessMouseOutOfReachAtEachStep) {
    test::WriteMacroFolder(folder_.Path(), {Events(20)});
    const size_t imageSize = 16 + 6 + 80;
    struct Case {
        int dropAtQuery;  // 0: never
        int result;
        Bytes commands;
        size_t written;
        bool configOpen;
    } cases[] = {
        {1, kMacroDownloadFailed, {kCmdQueryLink}, 0, false},
        {2, kMacroDownloadFailed, {kCmdQueryLink, kCmdReadDeviceInfo, kCmdQueryLink}, 0, false},
        {3,
         kMacroDownloadFailed,
         {kCmdQueryLink, kCmdReadDeviceInfo, kCmdQueryLink, kCmdBeginConfig, kCmdQueryLink},
         0,
         true},
        // The image is in, the session is left open.
        {4,
         kMacroDownloadFailed,
         {kCmdQueryLink, kCmdReadDeviceInfo, kCmdQueryLink, kCmdBeginConfig, kCmdQueryLink, kCmdWriteMacroData,
          kCmdWriteMacroData, kCmdQueryLink},
         imageSize,
         true},
        {0,
         kMacroDownloadDone,
         {kCmdQueryLink, kCmdReadDeviceInfo, kCmdQueryLink, kCmdBeginConfig, kCmdQueryLink, kCmdWriteMacroData,
          kCmdWriteMacroData, kCmdQueryLink, kCmdEndConfig},
         imageSize,
         false},
    };
    for (const Case& c : cases) {
        EmulatedChannel mouse(EmulatedKind::WirelessMouse);
        mouse.DropLinkAtQuery(c.dropAtQuery);
        EXPECT_EQ(DownloadMacros(mouse.Channel(), folder_.Path(), kKindWirelessMouse), c.result) << c.dropAtQuery;
        EXPECT_EQ(mouse.TakeCommands(), c.commands) << c.dropAtQuery;
        EXPECT_EQ(mouse.Device().MacroHighWater(), c.written) << c.dropAtQuery;
        EXPECT_EQ(mouse.Device().ConfigOpen(), c.configOpen) << c.dropAtQuery;
    }
}

}  // namespace
}  // namespace morvek
