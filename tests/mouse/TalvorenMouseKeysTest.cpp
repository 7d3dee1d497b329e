// The mouse model's key panel operations and its default button, against the emulated mouse.

#include <gtest/gtest.h>

#include "devices/mouse/TalvorenMouseDevice.h"
#include "macros/MacroListFile.h"
#include "mouse/MouseModelFixture.h"
#include "platform/TempDir.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using test::kShippedData;
using test::MouseModelFixture;

constexpr KeyAssignment kKeyA{0x20, 0x00, 0x04};
constexpr size_t kRightButton = 1;

KeyAssignment SlotOf(const std::vector<uint8_t>& table, size_t slot) {
    return {table[slot * 3], table[slot * 3 + 1], table[slot * 3 + 2]};
}

KeyListEntry WithCurrent(KeyListEntry entry, const KeyAssignment& current) {
    entry.current = current;
    return entry;
}

Json::Value ShippedSection() { return readjsonFile(kShippedData / "mouse.Json")["Device"][0]; }

// The default button's writes, as the window posts them after RestoreDefaults.
void WriteAsTheDefaultButton(CTalvorenMouseDevice& mouse, int& keys, int& settings) {
    keys = mouse.WriteKeyAssignments(0);
    settings = mouse.WriteSettings(0, 0, 1, 0, 0);
}

TEST(TalvorenMouseKeysTest, StoredAssignmentReachesProfileThenMouse) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    f.Model().StopLightPreview();
    const KeyListEntry held = f.Model().KeyList()[kRightButton];
    f.Model().SelectKey(int(kRightButton));
    ASSERT_EQ(f.Model().ActiveKey(), int(kRightButton));

    // The panel's entry carries a default of its own: the profile's default stays.
    KeyListEntry entry = WithCurrent(held, kKeyA);
    entry.defaults = {0x40, 0x01, 0x00};
    EXPECT_EQ(f.Model().StoreKeyAssignment(entry), KeyAssignmentStatus::kDone);
    EXPECT_EQ(f.Model().KeyList()[kRightButton].current, kKeyA);
    EXPECT_EQ(f.Model().KeyList()[kRightButton].defaults, held.defaults);
    // In the document held, not yet in the file, nor on the mouse.
    EXPECT_EQ(f.Section()["KeyList"][1]["Assignment"].asUInt(), held.current.Pack());
    const std::vector<uint8_t> before = f.Device().KeyTable();
    EXPECT_EQ(SlotOf(before, f.Model().ButtonMap().SlotOf(kRightButton)), held.current);

    ASSERT_TRUE(f.Model().SaveProfileDocument());
    EXPECT_EQ(f.Section()["KeyList"][1]["Assignment"].asUInt(), kKeyA.Pack());
    EXPECT_EQ(f.Section()["KeyList"][1]["DefaultAssignment"].asUInt(), held.defaults.Pack());
    ASSERT_EQ(f.Model().WriteKeyAssignments(0), kResultSuccess);
    std::vector<uint8_t> expected = before;
    const size_t slot = f.Model().ButtonMap().SlotOf(kRightButton);
    expected[slot * 3] = kKeyA.type;
    expected[slot * 3 + 1] = kKeyA.p1;
    expected[slot * 3 + 2] = kKeyA.p2;
    EXPECT_EQ(f.Device().KeyTable(), expected);
}

TEST(TalvorenMouseKeysTest, SelectionAndRefusalsChangeNothing) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().LoadProfileDocument();
    f.Model().LoadProfile();
    const std::vector<KeyListEntry> keys = f.Model().KeyList();
    ASSERT_EQ(keys.size(), MouseButtonMap::kButtonCount);
    EXPECT_EQ(f.Model().StoreKeyAssignment(WithCurrent(keys[0], kKeyA)), KeyAssignmentStatus::kNoKey);

    f.Model().SelectKey(2);
    for (int outside : {-1, 10, 126}) {
        f.Model().SelectKey(outside);
        EXPECT_EQ(f.Model().ActiveKey(), 2) << outside;
    }
    const struct {
        KeyAssignment assignment;
        KeyAssignmentStatus expected;
    } refused[] = {
        {{0xD0, 0xA2, 0x01}, KeyAssignmentStatus::kRefusedType},
        {{0x13, 0x07, 0x00}, KeyAssignmentStatus::kNoSuchDpiFunction},
        {{0x70, 0x00, 0x00}, KeyAssignmentStatus::kNoSuchMacro},  // the list is empty
        {{0x72, 0x09, 0x00}, KeyAssignmentStatus::kNoSuchShootPattern},
    };
    for (const auto& c : refused)
        EXPECT_EQ(f.Model().StoreKeyAssignment(WithCurrent(keys[2], c.assignment)), c.expected);
    EXPECT_EQ(f.Model().KeyList(), keys);
    f.Model().SaveProfileDocument();
    EXPECT_EQ(f.Section()["KeyList"], ShippedSection()["KeyList"]);
}

TEST(TalvorenMouseKeysTest, MacroOfTheListIsTaken) {
    MouseModelFixture f(EmulatedKind::Mouse);
    Json::Value list;
    Json::Value macro;
    macro["MacroName"] = "m0";
    macro["Guid"] = "2024_01_01_00_00_00_000";
    list["MacroInfo"].append(macro);
    ASSERT_EQ(MacroListFile(f.Folder()).Write(list), 0);
    f.Model().LoadProfileDocument();
    f.Model().LoadProfile();
    f.Model().SelectKey(9);
    const KeyListEntry held = f.Model().KeyList()[9];
    EXPECT_EQ(f.Model().StoreKeyAssignment(WithCurrent(held, {0x71, 0x00, 44})), KeyAssignmentStatus::kDone);
    EXPECT_EQ(f.Model().StoreKeyAssignment(WithCurrent(held, {0x71, 0x01, 44})), KeyAssignmentStatus::kNoSuchMacro);
    // Back to the vendor function the button holds by default, which no panel page builds.
    EXPECT_EQ(f.Model().StoreKeyAssignment(WithCurrent(held, held.defaults)), KeyAssignmentStatus::kDone);
    EXPECT_EQ(f.Model().KeyList()[9].current, held.defaults);
}

TEST(TalvorenMouseKeysTest, RestoreDefaultsPutsTheTemplateBackEverywhere) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().ReadDeviceConfig();
    f.Model().StopLightPreview();
    const std::string name = readjsonFile(f.Document())["profilename"].asString();
    ASSERT_EQ(f.Model().CommitStageEdit(2, "3200"), MouseEditStatus::kDone);
    ASSERT_EQ(f.Model().SelectPollingOption(3), MouseEditStatus::kDone);
    ASSERT_EQ(f.Model().SetPointerSpeed(3), MouseEditStatus::kDone);
    MouseLightRecord light = f.Model().LightRecord();
    light.bytes[0] = 4;
    ASSERT_EQ(f.Model().ChangeLight(light.ToLightSettings()), LightChange::kDone);
    f.Model().SelectKey(int(kRightButton));
    ASSERT_EQ(f.Model().StoreKeyAssignment(WithCurrent(f.Model().KeyList()[kRightButton], kKeyA)),
              KeyAssignmentStatus::kDone);
    ASSERT_TRUE(f.Model().SaveProfileDocument());
    ASSERT_EQ(f.Model().WriteKeyAssignments(0), kResultSuccess);
    ASSERT_NE(f.Section(), ShippedSection());

    f.Model().RestoreDefaults();
    EXPECT_EQ(f.Section(), ShippedSection());
    EXPECT_EQ(readjsonFile(f.Document())["profilename"].asString(), name);
    EXPECT_EQ(f.Model().Stages()[2].dpiX, 32);
    EXPECT_EQ(f.Model().CurrentStage(), 1);
    EXPECT_EQ(f.Model().PollingIndex(), 0);
    EXPECT_EQ(f.Model().SystemWords()[0] >> 16, 10u);
    EXPECT_EQ(f.Model().LightRecord().Effect(), 0);
    EXPECT_EQ(f.Model().KeyList()[kRightButton].current, (KeyAssignment{0x10, 0x02, 0x00}));
    EXPECT_EQ(f.Model().DpiPage().Row(2).edit, "1600");

    int keys = 0;
    int settings = 0;
    WriteAsTheDefaultButton(f.Model(), keys, settings);
    EXPECT_EQ(keys, kResultSuccess);
    EXPECT_EQ(settings, kResultSuccess);
    const std::vector<uint8_t> block = f.Block();
    EXPECT_EQ(block[MouseSettingBlock::kLightOffset], 0);
    EXPECT_EQ(block[MouseSettingBlock::kPollingOffset], 0);
    EXPECT_EQ(block[MouseSettingBlock::kCurrentStageOffset], 1);
    EXPECT_EQ(block[MouseSettingBlock::kStagesOffset + 2 * DpiStageRecord::kBytes + 2], 32);
    EXPECT_EQ(SlotOf(f.Device().KeyTable(), f.Model().ButtonMap().SlotOf(kRightButton)),
              (KeyAssignment{0x10, 0x02, 0x00}));
}

TEST(TalvorenMouseKeysTest, RestoreDefaultsWithoutTemplateKeepsTheProfile) {
    MouseModelFixture f(EmulatedKind::Mouse);
    f.Model().LoadProfileDocument();
    f.Model().LoadProfile();
    ASSERT_EQ(f.Model().SetPointerSpeed(3), MouseEditStatus::kDone);
    const Json::Value before = f.Section();
    hid::testing::TempDir empty;
    f.Model().SetDataRoots(f.Model().GetUserDataFolder().parent_path(), empty.Path());

    f.Model().RestoreDefaults();
    EXPECT_EQ(f.Section(), before);
    EXPECT_EQ(f.Model().SystemWords()[0] >> 16, 3u);
}

TEST(TalvorenMouseKeysTest, WirelessMouseOutOfReachKeepsTheRestoredProfileForLater) {
    MouseModelFixture f(EmulatedKind::WirelessMouse);
    f.Model().ReadDeviceConfig();
    f.Model().StopLightPreview();
    f.Model().SelectKey(int(kRightButton));
    ASSERT_EQ(f.Model().StoreKeyAssignment(WithCurrent(f.Model().KeyList()[kRightButton], kKeyA)),
              KeyAssignmentStatus::kDone);
    ASSERT_EQ(f.Model().WriteKeyAssignments(0), kResultSuccess);
    const size_t slot = f.Model().ButtonMap().SlotOf(kRightButton);
    ASSERT_EQ(SlotOf(f.Device().KeyTable(), slot), kKeyA);

    f.SetLinkDown(true);
    const std::vector<uint8_t> params = f.Device().Params();
    const std::vector<uint8_t> keyTable = f.Device().KeyTable();
    f.Emulated().TakeCommands();
    f.Model().RestoreDefaults();
    int keys = 0;
    int settings = 0;
    WriteAsTheDefaultButton(f.Model(), keys, settings);
    EXPECT_EQ(keys, kResultNoAnswer);
    EXPECT_EQ(settings, kResultNoAnswer);
    EXPECT_EQ(f.Emulated().TakeCommands(), std::vector<uint8_t>(2, kCmdQueryLink));
    EXPECT_EQ(f.Device().Params(), params);
    EXPECT_EQ(f.Device().KeyTable(), keyTable);
    EXPECT_EQ(f.Section(), ShippedSection());

    f.SetLinkDown(false);
    WriteAsTheDefaultButton(f.Model(), keys, settings);
    EXPECT_EQ(keys, kResultSuccess);
    EXPECT_EQ(settings, kResultSuccess);
    EXPECT_EQ(SlotOf(f.Device().KeyTable(), slot), (KeyAssignment{0x10, 0x02, 0x00}));
}

}  // namespace
}  // namespace morvek
