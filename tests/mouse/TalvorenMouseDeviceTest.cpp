#include "devices/mouse/TalvorenMouseDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "devicelink/DeviceModelTestSupport.h"
#include "macros/MacroListFile.h"
#include "mouse/MouseModelFixture.h"
#include "profiles/JsonFile.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using test::MouseModelFixture;

uint16_t StageDpiX(const std::vector<uint8_t>& block, int stage) {
    const size_t at = MouseSettingBlock::kStagesOffset + size_t(stage) * DpiStageRecord::kBytes + 2;
    return uint16_t(block[at] | block[at + 1] << 8);
}

TEST(TalvorenMouseDeviceTest, AttachReadsFactsKeyTableAndProfile) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    EXPECT_EQ(f.Model().DpiFacts(), (MouseDpiFacts{50, 320, 100}));
    EXPECT_EQ(f.Model().KeyTableCopy().size(), 512u);
    // The emulated mouse keeps back and forward swapped and the DPI functions after the cycle.
    const MouseButtonMap map = f.Model().ButtonMap();
    EXPECT_EQ(map.SlotOf(0), 0);
    EXPECT_EQ(map.SlotOf(3), 4);
    EXPECT_EQ(map.SlotOf(4), 3);
    EXPECT_EQ(map.SlotOf(7), 5);
    EXPECT_EQ(f.Model().KeyIndexMap().at(5), 7u);
    EXPECT_EQ(f.Model().Stages().size(), 5u);
    EXPECT_EQ(f.Model().DpiPage().Row(4).edit, "6400");  // 128 steps of 50 from the template
    EXPECT_FALSE(f.Device().ConfigOpen());
    EXPECT_TRUE(f.Model().LightPreviewRunning());
    f.Model().StopLightPreview();
    EXPECT_FALSE(f.Model().LightPreviewRunning());
}

// The profile brings the names the page shows: the logo's tooltip names the current effect.
TEST(TalvorenMouseDeviceTest, LoadingTheProfileLoadsTheNamesThePageShows) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    EXPECT_FALSE(f.Model().Names().effects.empty());
    const MouseLogoTooltip tip = f.Model().LogoTooltip();
    ASSERT_EQ(tip.parts.size(), 4u);
    EXPECT_EQ(tip.parts[3].text, f.Model().Names().effects.at(f.Model().LightRecord().Effect()).name);
}

TEST(TalvorenMouseDeviceTest, TypedDpiIsStoredSavedAndWritten) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    int written = 0;
    EXPECT_EQ(f.Model().CommitStageEdit(2, "1625", [&](int r) { written = r; }), MouseEditStatus::kDone);
    EXPECT_EQ(written, kResultSuccess);
    EXPECT_EQ(StageDpiX(f.Block(), 2), 32);
    EXPECT_EQ(f.Model().DpiPage().Row(2).edit, "1600");
    EXPECT_EQ(f.Section()["DPIStages"]["StageDPIs"][2]["StageDPIX"].asInt(), 32);
    EXPECT_EQ(f.Block()[60] | f.Block()[61] << 8, 1920);

    EXPECT_EQ(f.Model().CommitStageEdit(1, ""), MouseEditStatus::kDone);
    EXPECT_EQ(StageDpiX(f.Block(), 1), 2);  // lowest DPI 100 / step 50
    EXPECT_EQ(f.Model().CommitStageEdit(5, "800"), MouseEditStatus::kBadStage);
}

TEST(TalvorenMouseDeviceTest, SwitchingOffTheCurrentStageMovesTheCurrentStageOnTheMouse) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    ASSERT_EQ(f.Model().CurrentStage(), 1);  // the template's
    EXPECT_EQ(f.Model().SetStageEnabled(1, false), MouseEditStatus::kDone);
    EXPECT_EQ(f.Model().CurrentStage(), 2);
    EXPECT_EQ(f.Block()[MouseSettingBlock::kCurrentStageOffset], 2);
    EXPECT_EQ(f.Section()["DPIStages"]["StageActive"].asInt(), 2);
    EXPECT_TRUE(f.Model().DpiPage().Row(2).current);
    EXPECT_FALSE(f.Model().DpiPage().Row(1).current);

    // Another stage switched off: the current stage stays.
    EXPECT_EQ(f.Model().SetStageEnabled(4, false), MouseEditStatus::kDone);
    EXPECT_EQ(f.Block()[MouseSettingBlock::kCurrentStageOffset], 2);
}

TEST(TalvorenMouseDeviceTest, PageEventsGrowTheStageList) {
    MouseModelFixture fresh(EmulatedKind::Mouse);
    Json::Value section = fresh.Section();
    section["DPIStages"]["StageDPIs"].resize(2);
    fresh.WriteSection(section);
    fresh.Model().ReadDeviceConfig();
    ASSERT_EQ(fresh.Model().Stages().size(), 2u);
    EXPECT_FALSE(fresh.Model().DpiPage().Row(2).shown);
    EXPECT_EQ(fresh.Model().SetStageSlider(3, 40), MouseEditStatus::kDone);
    ASSERT_EQ(fresh.Model().Stages().size(), 4u);
    EXPECT_EQ(fresh.Model().Stages()[2], DpiStageRecord{});
    const std::vector<uint8_t> block = fresh.Block();
    EXPECT_TRUE(std::all_of(block.begin() + 14 + 2 * 9, block.begin() + 14 + 3 * 9, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(StageDpiX(block, 3), 40);
    EXPECT_EQ(StageDpiX(block, 4), 0);
    EXPECT_EQ(fresh.Model().SetStageSlider(0, 321), MouseEditStatus::kBadValue);
    EXPECT_EQ(fresh.Model().MoveStageSlider(0, 100), MouseEditStatus::kDone);
    EXPECT_EQ(fresh.Model().Stages()[0].dpiX, 8);  // moving stores nothing
}

TEST(TalvorenMouseDeviceTest, ShorterProfileKeepsTheEarlierStagesBeyondIt) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    Json::Value section = f.Section();
    section["DPIStages"]["StageDPIs"].resize(3);
    for (Json::Value& stage : section["DPIStages"]["StageDPIs"]) stage["StageDPIX"] = 10;
    section.removeMember("SystemStages");
    f.WriteSection(section);
    f.Model().LoadProfileDocument();
    f.Model().LoadProfile();
    const std::vector<DpiStageRecord> stages = f.Model().Stages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[2].dpiX, 10);
    EXPECT_EQ(stages[3].dpiX, 64);
    EXPECT_EQ(stages[4].dpiX, 128);
    // No "SystemStages": every pointer value and the polling index are 0, "ReportStages" or not.
    EXPECT_EQ(f.Model().SystemWords(), (MouseSystemWords{0, 0, 0}));
}

TEST(TalvorenMouseDeviceTest, ZeroDpiStepIsRefused) {
    // The pad reports no DPI facts: a mouse like it is a bad device for the DPI page.
    MouseModelFixture f(EmulatedKind::MousePad);
    EXPECT_EQ(f.Model().CommitStageEdit(0, "800"), MouseEditStatus::kNoDeviceFacts);
    f.Model().ReadDeviceConfig();
    ASSERT_EQ(f.Model().DpiFacts()->step, 0);
    const uint64_t reports = f.Device().ReportCount();
    EXPECT_EQ(f.Model().CommitStageEdit(0, "800"), MouseEditStatus::kZeroDpiStep);
    EXPECT_EQ(f.Device().ReportCount(), reports);
}

TEST(TalvorenMouseDeviceTest, PollingAndPointerValues) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    const std::vector<uint8_t> before = f.Device().Params();
    EXPECT_EQ(f.Model().SetPointerSpeed(7), MouseEditStatus::kDone);
    EXPECT_EQ(f.Model().SetScrollPage(true, 5), MouseEditStatus::kDone);
    EXPECT_EQ(f.Device().Params(), before);  // the system tab is only stored
    EXPECT_EQ(f.Section()["SystemStages"]["MouseSpeed"].asInt(), 7);
    EXPECT_EQ(f.Section()["SystemStages"]["ScorllPage"].asInt(), 1);
    EXPECT_EQ(f.Model().SetScrollLines(9), MouseEditStatus::kDone);
    EXPECT_EQ(f.Section()["SystemStages"]["ScorllPage"].asInt(), 0);
    EXPECT_EQ(f.Section()["SystemStages"]["WheelScorlllinse"].asInt(), 9);

    EXPECT_EQ(f.Model().SelectPollingOption(3), MouseEditStatus::kDone);
    EXPECT_EQ(f.Block()[MouseSettingBlock::kPollingOffset], 3);
    EXPECT_EQ(f.Section()["ReportStages"]["StageActive"].asInt(), 3);
    EXPECT_EQ(f.Model().SelectPollingOption(5), MouseEditStatus::kBadValue);
}

TEST(TalvorenMouseDeviceTest, LightRecordTravelsInTheBlock) {
    struct Case {
        EmulatedKind kind;
        uint8_t effect;
        uint8_t speed;
        uint8_t sentEffect;
        uint8_t sentSpeed;
    };
    const Case cases[] = {
        {EmulatedKind::Mouse, 9, 1, 0, 1},
        {EmulatedKind::Mouse, 4, 1, 4, 1},
        {EmulatedKind::WirelessMouse, 11, 1, 0, 3},
    };
    for (const Case& c : cases) {
        MouseModelFixture f(c.kind);
        f.Model().ReadDeviceConfig();
        f.Model().StopLightPreview();
        const MouseLightRecord light{{c.effect, 4, c.speed, 1, 0, 1, 2, 3}};
        EXPECT_EQ(f.Model().ChangeLight(light.ToLightSettings()), LightChange::kDone);
        EXPECT_EQ(f.Block()[1], c.sentEffect);
        EXPECT_EQ(f.Block()[3], c.sentSpeed);
        EXPECT_EQ(f.Model().LightRecord(), light);
        // Reading back: the speed level is the one chosen, on both links.
        f.Model().ReadDeviceProfile();
        EXPECT_EQ(f.Model().LightRecord().Speed(), c.speed);
        EXPECT_EQ(f.Section()["LightInfo"]["Speed"].asInt(), c.speed);
    }
}

TEST(TalvorenMouseDeviceTest, ReadBackTakesStageAndLightOnly) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    f.Model().StopLightPreview();
    const std::vector<DpiStageRecord> stages = f.Model().Stages();
    std::vector<uint8_t> params = f.Device().Params();
    params[MouseSettingBlock::kCurrentStageOffset] = 4;
    params[MouseSettingBlock::kStagesOffset + 2] = 99;
    params[1] = 2;
    params[4] = 1;
    auto memory = f.Device().Memory();
    memory.params = params;
    f.Device().RestoreMemory(memory);
    f.Model().ReadDeviceProfile();
    EXPECT_EQ(f.Model().CurrentStage(), 4);
    EXPECT_EQ(f.Model().Stages(), stages);
    EXPECT_EQ(f.Model().LightRecord().Effect(), 2);
    EXPECT_EQ(f.Model().LightRecord().Direction(), 0);  // the template's "Fx", not the mouse's byte
    EXPECT_EQ(f.Section()["DPIStages"]["StageActive"].asInt(), 4);

    // Away: the block last read stands.
    f.Model().CommandChannel().Close();
    uint8_t active = 9;
    EXPECT_EQ(f.Model().ReadDeviceProfileBlock(active), kResultSuccess);
    EXPECT_EQ(active, 0);
}

TEST(TalvorenMouseDeviceTest, KeyTableWriteChangesOnlyTheButtonsSlots) {
    MouseModelFixture f(EmulatedKind::Mouse);
    EXPECT_EQ(f.Model().WriteKeyAssignments(0), kResultRefused);  // nothing read: nothing to keep
    f.Model().ReadDeviceConfig();
    std::vector<KeyListEntry> keys = f.Model().KeyList();
    ASSERT_EQ(keys.size(), 10u);
    keys[3].current = {0x70, 0x01, 0x00};
    const std::vector<uint8_t> before = f.Device().KeyTable();
    EXPECT_EQ(f.Model().WriteKeyTable(0, keys), kResultSuccess);
    std::vector<uint8_t> expected = before;
    expected[4 * 3] = 0x70;
    expected[4 * 3 + 1] = 0x01;
    EXPECT_EQ(f.Device().KeyTable(), expected);
    EXPECT_EQ(f.Model().WriteKeyTable(1, keys), kResultBadTableIndex);
}

TEST(TalvorenMouseDeviceTest, ButtonsPlayingMissingMacrosReturnToDefault) {
    MouseModelFixture f(EmulatedKind::Mouse);
    Json::Value list;
    for (int i = 0; i < 5; ++i) {
        Json::Value macro;
        macro["MacroName"] = "m" + std::to_string(i);
        macro["Guid"] = "2024_01_01_00_00_0" + std::to_string(i) + "_000";
        list["MacroInfo"].append(macro);
    }
    ASSERT_EQ(MacroListFile(f.Folder()).Write(list), 0);
    Json::Value section = f.Section();
    section["KeyList"][1]["Assignment"] = 0x700500;  // macro 5: past the end
    section["KeyList"][2]["Assignment"] = 0x700400;  // macro 4: fine
    f.WriteSection(section);
    f.Model().LoadProfileDocument();
    f.Model().LoadProfile();
    f.Model().CheckMacroAssignments();
    EXPECT_EQ(f.Model().KeyList()[1].current, f.Model().KeyList()[1].defaults);
    EXPECT_EQ(f.Model().KeyList()[2].current, (KeyAssignment{0x70, 0x04, 0x00}));
    EXPECT_EQ(f.Section()["KeyList"][1]["Assignment"], f.Section()["KeyList"][1]["DefaultAssignment"]);
}

TEST(TalvorenMouseDeviceTest, WirelessMouseOutOfReachReceivesNothing) {
    MouseModelFixture f(EmulatedKind::WirelessMouse);
    f.Model().ReadDeviceConfig();
    ASSERT_TRUE(f.Model().DpiFacts());
    f.Model().StopLightPreview();
    f.SetLinkDown(true);
    const std::vector<uint8_t> params = f.Device().Params();
    const std::vector<uint8_t> keyTable = f.Device().KeyTable();
    f.Emulated().TakeCommands();

    int written = 99;
    EXPECT_EQ(f.Model().CommitStageEdit(0, "3200", [&](int r) { written = r; }), MouseEditStatus::kDone);
    EXPECT_EQ(written, kResultNoAnswer);
    EXPECT_EQ(f.Model().WriteKeyAssignments(0), kResultNoAnswer);
    EXPECT_EQ(f.Model().DownloadShootPatterns(), kResultNoAnswer);
    uint8_t active = 0;
    EXPECT_EQ(f.Model().ReadDeviceProfileBlock(active), kResultNoAnswer);
    const std::vector<uint8_t> sent = f.Emulated().TakeCommands();
    EXPECT_EQ(sent, std::vector<uint8_t>(4, kCmdQueryLink));
    EXPECT_EQ(f.Device().Params(), params);
    EXPECT_EQ(f.Device().KeyTable(), keyTable);
    // The page and the profile keep the value for when the mouse is back.
    EXPECT_EQ(f.Model().Stages()[0].dpiX, 64);
}

TEST(TalvorenMouseDeviceTest, PreviewRunsTheEffectAndStopsAtOnce) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().SetLightCount(19);
    f.Model().ReadDeviceConfig();
    ASSERT_EQ(f.Model().ChangeLight(MouseLightRecord{{3, 4, 4, 0, 0, 9, 8, 7}}.ToLightSettings()), LightChange::kDone);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (f.Model().LedsSnapshot()[0].brightness == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(f.Model().LedsSnapshot()[0], (LedEntry{{9, 8, 7}, 255}));
    f.Model().StopLightPreview();
    EXPECT_FALSE(f.Model().LightPreviewRunning());
}

TEST(TalvorenMouseDeviceTest, CustomModePlaysTheMousesOwnEffectList) {
    uint32_t nowMs = 1000;
    MouseModelFixture f(EmulatedKind::Mouse, [&nowMs] { return nowMs; });
    f.Model().SetLightCount(19);
    // List 0 (the keyboard's) and list 1 (the mouse's) name different effects; custom mode 2
    // of the mouse is its third entry: 300 ms of static blue, then static green.
    Json::Value config;
    for (int entry = 0; entry < 3; ++entry) {
        config["LightInfo"][0][entry]["Guid"] = "2026_01_01_00_00_00_000";
        config["LightInfo"][1][entry]["Guid"] = "2026_01_01_00_00_00_00" + std::to_string(entry + 1);
    }
    WriteJsonFile(f.Folder() / "velko_light.config", config);
    const auto staticEntry = [](int red, int green, int blue) {
        Json::Value step;
        step["LEDREGMode"] = 1;
        step["LEDBrightness"] = 4;
        step["red"] = red;
        step["green"] = green;
        step["blue"] = blue;
        step["Time"] = 300;
        return step;
    };
    Json::Value keyboardEffect, mouseEffect;
    keyboardEffect["LEDEffectList"][0] = staticEntry(255, 0, 0);
    mouseEffect["LEDEffectList"][0] = staticEntry(0, 0, 255);
    mouseEffect["LEDEffectList"][1] = staticEntry(0, 255, 0);
    WriteJsonFile(f.Folder() / "2026_01_01_00_00_00_000.light", keyboardEffect);
    WriteJsonFile(f.Folder() / "2026_01_01_00_00_00_003.light", mouseEffect);

    f.Model().ReadDeviceConfig();
    f.Model().StopLightPreview();
    test::RecordingView view;
    f.Model().SetView(&view);
    ASSERT_EQ(f.Model().ChangeLight(MouseLightRecord{{11, 4, 0, 0, 0, 9, 9, 9}}.ToLightSettings()), LightChange::kDone);
    EXPECT_EQ(f.Block()[1], 0);  // the mouse runs its first effect; the host plays the custom mode

    // A static entry paints when its pass count reaches the speed's threshold (28 at level 0).
    for (int tick = 0; tick < 28; ++tick) f.Model().StepLightPreview();
    EXPECT_EQ(f.Model().LedsSnapshot()[18], (LedEntry{{0, 0, 255}, 255}));
    for (int tick = 0; tick < 28; ++tick) f.Model().StepLightPreview();
    nowMs += 301;
    for (int tick = 0; tick < 29; ++tick) f.Model().StepLightPreview();
    EXPECT_EQ(f.Model().LedsSnapshot()[0], (LedEntry{{0, 255, 0}, 255}));
    // Steps only compute: the view is shown the LEDs with each frame, 20 times a second
    // however often a custom mode steps.
    EXPECT_TRUE(view.previews.empty());
    f.Model().SendLedFrame();
    ASSERT_EQ(view.previews.size(), 1u);
    EXPECT_EQ(view.previews[0][0].colour, 0xFF0000u);  // green is c1, the high byte

    // A custom mode the list lacks plays nothing: every LED dark.
    ASSERT_EQ(f.Model().ChangeLight(MouseLightRecord{{12, 4, 0, 0, 0, 9, 9, 9}}.ToLightSettings()), LightChange::kDone);
    f.Model().StepLightPreview();
    EXPECT_EQ(f.Model().LedsSnapshot()[0], (LedEntry{}));
    f.Model().SetView(nullptr);
}

}  // namespace
}  // namespace morvek
