#include <gtest/gtest.h>

#include "EmulatedChannel.h"
#include "MacroFixtures.h"
#include "macros/DeviceMacroImage.h"
#include "macros/ShootFile.h"
#include "macros/ShootImage.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using test::EmulatedChannel;
using Bytes = std::vector<uint8_t>;

uint16_t U16(const Bytes& image, size_t at) { return static_cast<uint16_t>(image[at] | image[at + 1] << 8); }

// Gun files whose "Events" hold these many bullet-style events.
void WritePatterns(const std::filesystem::path& folder, std::vector<size_t> counts) {
    for (int gun = 0; gun < ShootFile::kGunCount; ++gun) {
        Json::Value document(Json::objectValue);
        document["Events"] = Json::Value(Json::arrayValue);
        for (int b = 0; document["Events"].size() < counts[gun]; ++b)
            ShootFile::WriteBullet(document, b, {b, 2 * b, 40, b % 2 == 0, false});
        document["Events"].resize(static_cast<Json::ArrayIndex>(counts[gun]));
        WriteJsonFile(ShootFile::PathIn(folder, gun), document);
    }
}

TEST(ShootImageTest, HeaderOffsetsAndEvents) {
    test::TempFolder folder;
    WritePatterns(folder.Path(), {3, 0, 10, 1});
    const Bytes image = BuildShootImage(folder.Path());
    ASSERT_EQ(image.size(), 96u);
    EXPECT_EQ(U16(image, 0), 0x55AA);
    EXPECT_EQ(U16(image, 2), 96);
    EXPECT_EQ(U16(image, 4), 4);
    EXPECT_EQ((std::vector<uint16_t>{U16(image, 16), U16(image, 18), U16(image, 20), U16(image, 22)}),
              (std::vector<uint16_t>{24, 40, 44, 88}));
    // Pattern 0: three events; the first press of bullet 0 waits 10 ms, then the release, then
    // the horizontal move of 0 to the left ("down").
    EXPECT_EQ(U16(image, 24), 3);
    EXPECT_EQ((Bytes(image.begin() + 28, image.begin() + 40)),
              (Bytes{10, 0, 0x81, 1, 0, 0, 0x01, 1, 5, 0, 0x84, 0}));
    EXPECT_EQ(U16(image, 88), 1);

    // Missing or broken files are patterns without events; null events encode as zeros.
    std::filesystem::remove(ShootFile::PathIn(folder.Path(), 0));
    test::WriteText(ShootFile::PathIn(folder.Path(), 2), "broken");
    test::WriteText(ShootFile::PathIn(folder.Path(), 3), R"({"Events": [null]})");
    const Bytes sparse = BuildShootImage(folder.Path());
    ASSERT_EQ(sparse.size(), 44u);
    EXPECT_EQ((Bytes(sparse.end() - 4, sparse.end())), (Bytes{0, 0, 0, 0}));
}

// A pattern file that is missing or cannot be read would go out as an empty pattern and clear
// the mouse's: the download is refused before anything is sent.
TEST(ShootImageTest, ADownloadWithAnUnreadablePatternSendsNothing) {
    const char* damaged[] = {nullptr, "", "{ cut", "[1]", R"({"Name": "no events"})"};  // nullptr: no file
    for (const char* text : damaged) {
        test::TempFolder folder;
        WritePatterns(folder.Path(), {6, 6, 6, 6});
        const auto gun2 = ShootFile::PathIn(folder.Path(), 2);
        if (text == nullptr) std::filesystem::remove(gun2);
        else test::WriteText(gun2, text);
        EXPECT_EQ(UnreadableShootPattern(folder.Path()), 2) << (text ? text : "missing");
        EmulatedChannel mouse(EmulatedKind::Mouse);
        EXPECT_EQ(DownloadShootPatterns(mouse.Channel(), folder.Path()), kShootPatternUnreadable);
        EXPECT_TRUE(mouse.TakeCommands().empty());
        EXPECT_EQ(mouse.Device().ShootHighWater(), 0u);
    }
}

TEST(ShootImageTest, DownloadWritesTheImageDirectly) {
    test::TempFolder folder;
    WritePatterns(folder.Path(), {18, 6, 0, 12});
    EmulatedChannel mouse(EmulatedKind::Mouse);
    ASSERT_EQ(DownloadShootPatterns(mouse.Channel(), folder.Path()), kResultSuccess);
    const Bytes image = BuildShootImage(folder.Path());
    ASSERT_EQ(image.size(), 40u + 4 * 36);
    EXPECT_EQ(mouse.Device().ShootHighWater(), image.size());
    const Bytes memory = mouse.Device().ShootMemory();
    EXPECT_EQ((Bytes(memory.begin(), memory.begin() + 184)), image);
    EXPECT_EQ(mouse.TakeCommands(), (Bytes{kCmdBeginConfig, kCmdWriteMacroDirect, kCmdWriteMacroDirect,
                                           kCmdWriteMacroDirect, kCmdWriteMacroDirect, kCmdEndConfig}));
    EXPECT_FALSE(mouse.Device().ConfigOpen());

    mouse.Device().SetFaults({.forcedStatus = 0xFE});
    EXPECT_EQ(DownloadShootPatterns(mouse.Channel(), folder.Path()), kResultStatusFE);
    mouse.Channel().Close();
    EXPECT_EQ(DownloadShootPatterns(mouse.Channel(), folder.Path()), kResultNoAnswer);
}

TEST(ShootImageTest, WirelessMouseOutOfReachAtEachStep) {
    test::TempFolder folder;
    WritePatterns(folder.Path(), {6, 6, 6, 6});
    const size_t imageSize = 40 + 4 * 24;
    struct Case {
        int dropAtQuery;
        int result;
        Bytes commands;
        size_t written;
        bool configOpen;
    } cases[] = {
        {1, kResultNoAnswer, {kCmdQueryLink}, 0, false},
        {2, kResultNoAnswer, {kCmdQueryLink, kCmdBeginConfig, kCmdQueryLink}, 0, true},
        {3,
         kResultNoAnswer,
         {kCmdQueryLink, kCmdBeginConfig, kCmdQueryLink, kCmdWriteMacroDirect, kCmdWriteMacroDirect,
          kCmdWriteMacroDirect, kCmdQueryLink},
         imageSize,
         true},
        {0,
         kResultSuccess,
         {kCmdQueryLink, kCmdBeginConfig, kCmdQueryLink, kCmdWriteMacroDirect, kCmdWriteMacroDirect,
          kCmdWriteMacroDirect, kCmdQueryLink, kCmdEndConfig},
         imageSize,
         false},
    };
    for (const Case& c : cases) {
        EmulatedChannel mouse(EmulatedKind::WirelessMouse);
        mouse.DropLinkAtQuery(c.dropAtQuery);
        EXPECT_EQ(DownloadShootPatterns(mouse.Channel(), folder.Path()), c.result) << c.dropAtQuery;
        EXPECT_EQ(mouse.TakeCommands(), c.commands) << c.dropAtQuery;
        EXPECT_EQ(mouse.Device().ShootHighWater(), c.written) << c.dropAtQuery;
        EXPECT_EQ(mouse.Device().ConfigOpen(), c.configOpen) << c.dropAtQuery;
    }
}

}  // namespace
}  // namespace morvek
