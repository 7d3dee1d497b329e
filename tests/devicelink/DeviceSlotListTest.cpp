#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "devicelink/DeviceSlotList.h"
#include "devicelink/HidInterfaceHandle.h"
#include "support/ScriptedHid.h"

namespace morvek {
namespace {

using test::ConsumerCollectionDescriptor;
using test::InterfaceInfo;
using test::ScriptedHidBackend;
using test::VendorCollectionDescriptor;

constexpr const char* kKeyboardCommand = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04";
constexpr const char* kKeyboardEvent = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col03";

void AddKeyboard(ScriptedHidBackend& backend, const std::string& node) {
    backend.Add(InterfaceInfo(node + "&vid_0c45&pid_764e&mi_01&col04", 0x0C45, 0x764E, 0xFF1C, 0x92),
                VendorCollectionDescriptor());
    backend.Add(InterfaceInfo(node + "&vid_0c45&pid_764e&mi_01&col03", 0x0C45, 0x764E, 0x0C, 0x01),
                ConsumerCollectionDescriptor());
}

// Matches every enumerated path once, as one pass of the device monitor does.
std::vector<int> Scan(ScriptedHidBackend& backend, DeviceSlotList& slots) {
    HidInterfaceHandle handle(backend);
    std::vector<int> claimed;
    if (!handle.EnumerateHidPaths()) return claimed;
    while (auto path = handle.NextPath()) {
        const int slot = slots.MatchPath(backend, *path);
        if (slot >= 0) claimed.push_back(slot);
    }
    return claimed;
}

TEST(DeviceSlotListTest, KeyboardFillsSlotsZeroAndOne) {
    ScriptedHidBackend backend;
    AddKeyboard(backend, "/dev/hidraw3");
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{0, 1}));
    EXPECT_EQ(slots.Slot(0).present, 1);
    EXPECT_EQ(slots.Slot(0).path, kKeyboardCommand);
    EXPECT_EQ(slots.Slot(1).path, kKeyboardEvent);
    EXPECT_TRUE(slots.HasFreeSlot());
}

TEST(DeviceSlotListTest, UpperCasePathMatchesLikeLowerCase) {
    ScriptedHidBackend backend;
    backend.Add(InterfaceInfo("\\\\?\\HID#VID_0C45&PID_764E&MI_01&COL04#7&2&0&0003", 0x0C45, 0x764E, 0xFF1C, 0x92),
                VendorCollectionDescriptor());
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{0}));
}

TEST(DeviceSlotListTest, SecondIdenticalKeyboardFindsNoFreeSlot) {
    ScriptedHidBackend backend;
    AddKeyboard(backend, "/dev/hidraw3");
    DeviceSlotList slots;
    ASSERT_EQ(Scan(backend, slots).size(), 2u);
    AddKeyboard(backend, "/dev/hidraw9");
    EXPECT_TRUE(Scan(backend, slots).empty());
    EXPECT_EQ(slots.Slot(0).path, kKeyboardCommand);
    // Once the first keyboard is gone, the second takes its slots.
    slots.ReleaseSlot(0);
    slots.ReleaseSlot(1);
    backend.Remove(kKeyboardCommand);
    backend.Remove(kKeyboardEvent);
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{0, 1}));
    EXPECT_EQ(slots.Slot(0).path, "/dev/hidraw9&vid_0c45&pid_764e&mi_01&col04");
}

TEST(DeviceSlotListTest, PathWithoutCollectionMatchesOnlyTheHeadsetRow) {
    ScriptedHidBackend backend;
    backend.Add(InterfaceInfo("/dev/hidraw5&vid_0000&pid_0000&mi_03", 0, 0, 0x0C, 0x01),
                ConsumerCollectionDescriptor());
    // Same numbers but interface 1 without a collection: no row has collection 0 there.
    backend.Add(InterfaceInfo("/dev/hidraw6&vid_0000&pid_0000&mi_01", 0, 0, 0x0C, 0x01),
                ConsumerCollectionDescriptor());
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{6}));
    EXPECT_EQ(slots.Slot(6).kind, kKindHeadset);
}

// The wired mouse's and the pad's interfaces (same numbers); the command collection answers
// the information record with kind in byte 0, or not at all.
struct SharedDevice {
    std::string node;
    std::optional<uint8_t> kind;
    bool commandListedFirst = false;

    std::string Command() const { return node + "&vid_0000&pid_0000&mi_01&col04"; }
    std::string Event() const { return node + "&vid_0000&pid_0000&mi_01&col03"; }
};

void AddShared(ScriptedHidBackend& backend, const SharedDevice& device) {
    const auto addCommand = [&] {
        auto command = backend.Add(InterfaceInfo(device.Command(), 0, 0, 0xFF1C, 0x92), VendorCollectionDescriptor());
        command->SetResponder([kind = device.kind](const test::Bytes& written) -> std::vector<test::Bytes> {
            if (!kind) return {};
            test::Bytes answer = written;
            answer.resize(64, 0);
            answer[7] = 0;
            answer[8] = *kind;
            return {answer};
        });
    };
    if (device.commandListedFirst) addCommand();
    backend.Add(InterfaceInfo(device.Event(), 0, 0, 0x0C, 0x01), ConsumerCollectionDescriptor());
    if (!device.commandListedFirst) addCommand();
}

TEST(DeviceSlotListTest, MouseAndPadNumbersGoToTheKindTheDeviceNames) {
    struct Case {
        const char* what;
        SharedDevice device;
        size_t commandSlot;
        bool guessed;  // the slots' kind is the table order's guess, for both collections
    };
    const Case cases[] = {
        {"a pad alone", {"/dev/hidraw1", kKindMousePad, false}, 4, false},
        {"a pad alone, command collection listed first", {"/dev/hidraw1", kKindMousePad, true}, 4, false},
        {"a mouse alone", {"/dev/hidraw1", kKindMouse, false}, 2, false},
        {"a device naming another kind: table order", {"/dev/hidraw1", kKindKeyboard, false}, 2, true},
        {"a device that does not answer: table order", {"/dev/hidraw1", std::nullopt, false}, 2, true},
        {"does not answer, command collection first", {"/dev/hidraw1", std::nullopt, true}, 2, true},
    };
    for (const Case& c : cases) {
        ScriptedHidBackend backend;
        AddShared(backend, c.device);
        DeviceSlotList slots;
        Scan(backend, slots);
        const DeviceEntry command = slots.Slot(c.commandSlot);
        const DeviceEntry event = slots.Slot(c.commandSlot + 1);
        EXPECT_EQ(command.path, c.device.Command()) << c.what;
        EXPECT_EQ(command.role, kRoleCommand) << c.what;
        EXPECT_EQ(event.path, c.device.Event()) << c.what;
        EXPECT_EQ(event.kind, command.kind) << c.what;
        EXPECT_EQ(slots.KindGuessed(c.commandSlot), c.guessed) << c.what;
        EXPECT_EQ(slots.KindGuessed(c.commandSlot + 1), c.guessed) << c.what;
        slots.ReleaseSlot(c.commandSlot);
        EXPECT_FALSE(slots.KindGuessed(c.commandSlot)) << c.what;
    }
}

TEST(DeviceSlotListTest, MouseAndPadTogetherTakeTheirOwnSlotsInEitherOrder) {
    for (bool padListedFirst : {false, true}) {
        ScriptedHidBackend backend;
        const SharedDevice mouse{"/dev/hidraw1", kKindMouse, false};
        const SharedDevice pad{"/dev/hidraw2", kKindMousePad, false};
        AddShared(backend, padListedFirst ? pad : mouse);
        AddShared(backend, padListedFirst ? mouse : pad);
        DeviceSlotList slots;
        EXPECT_EQ(Scan(backend, slots).size(), 4u);
        EXPECT_EQ(slots.Slot(2).path, mouse.Command()) << padListedFirst;
        EXPECT_EQ(slots.Slot(3).path, mouse.Event()) << padListedFirst;
        EXPECT_EQ(slots.Slot(4).path, pad.Command()) << padListedFirst;
        EXPECT_EQ(slots.Slot(5).path, pad.Event()) << padListedFirst;
    }
}

TEST(DeviceSlotListTest, ASecondPadDoesNotTakeTheFreeMouseSlots) {
    ScriptedHidBackend backend;
    const SharedDevice first{"/dev/hidraw1", kKindMousePad, false};
    AddShared(backend, first);
    AddShared(backend, {"/dev/hidraw2", kKindMousePad, false});
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots).size(), 2u);
    EXPECT_EQ(slots.Slot(4).path, first.Command());
    EXPECT_EQ(slots.Slot(2).present, 0);
    EXPECT_EQ(slots.Slot(3).present, 0);
}

TEST(DeviceSlotListTest, TwoDevicesWithTheSameNumbersTakeTheMouseThenThePadSlots) {
    ScriptedHidBackend backend;
    backend.Add(InterfaceInfo("/dev/hidraw1&vid_0000&pid_0000&mi_01&col04", 0, 0, 0xFF1C, 0x92),
                VendorCollectionDescriptor());
    backend.Add(InterfaceInfo("/dev/hidraw2&vid_0000&pid_0000&mi_01&col04", 0, 0, 0xFF1C, 0x92),
                VendorCollectionDescriptor());
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{2, 4}));
}

TEST(DeviceSlotListTest, AnInterfaceHeldBySlotIsNotClaimedAgainWhenTheOtherSlotIsFree) {
    ScriptedHidBackend backend;
    const std::string mouse = "/dev/hidraw1&vid_0000&pid_0000&mi_01&col04";
    backend.Add(InterfaceInfo(mouse, 0, 0, 0xFF1C, 0x92), VendorCollectionDescriptor());
    DeviceSlotList slots;
    ASSERT_EQ(Scan(backend, slots), (std::vector<int>{2}));
    // The pad slots stay free, and the mouse's interface does not fill them on the next scan.
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{}));
    EXPECT_EQ(slots.Slot(4).present, 0);
    EXPECT_EQ(slots.Slot(2).path, mouse);
}

TEST(DeviceSlotListTest, ReceiverControlInterfaceIsAWirelessMouse) {
    ScriptedHidBackend backend;
    backend.Add(InterfaceInfo("/dev/hidraw1&vid_0000&pid_0000&mi_02&col04", 0, 0, 0xFF1C, 0x92),
                VendorCollectionDescriptor());
    backend.Add(InterfaceInfo("/dev/hidraw1&vid_0000&pid_0000&mi_02&col03", 0, 0, 0x0C, 0x01),
                ConsumerCollectionDescriptor());
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{7, 8}));
    EXPECT_EQ(slots.Slot(7).kind, kKindWirelessMouse);
    EXPECT_EQ(slots.Slot(7).role, kRoleCommand);
    EXPECT_EQ(slots.Slot(8).role, kRoleEvent);
    EXPECT_EQ(FindPageTemplate(0, 0, slots.Slot(7).kind, kRoleCommand), FindPageTemplate(0, 0, kKindMouse, kRoleCommand));
}

TEST(DeviceSlotListTest, UsageDecidesTheSecondStage) {
    ScriptedHidBackend backend;
    // Keyboard numbers, but the interface reports a consumer usage on collection 4.
    backend.Add(InterfaceInfo(kKeyboardCommand, 0x0C45, 0x764E, 0x0C, 0x01), ConsumerCollectionDescriptor());
    DeviceSlotList slots;
    EXPECT_TRUE(Scan(backend, slots).empty());
    EXPECT_FALSE(slots.Slot(0).present);
}

TEST(DeviceSlotListTest, UnopenableAndUnknownPathsAreIgnoredAndRetried) {
    ScriptedHidBackend backend;
    AddKeyboard(backend, "/dev/hidraw3");
    backend.Add(InterfaceInfo("/dev/hidraw7&vid_046d&pid_c52b&mi_00", 0x046D, 0xC52B, 0x01, 0x02),
                VendorCollectionDescriptor());
    backend.SetRefuseOpen(kKeyboardCommand, true);
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{1}));
    EXPECT_EQ(backend.OpenCount("/dev/hidraw7&vid_046d&pid_c52b&mi_00"), 0);  // no row: never opened
    backend.SetRefuseOpen(kKeyboardCommand, false);
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{0}));
}

TEST(DeviceSlotListTest, EveryInterfaceIsExaminedBeyondTheFirstEight) {
    ScriptedHidBackend backend;
    for (int i = 0; i < 20; ++i) {
        backend.Add(InterfaceInfo("/dev/hidraw" + std::to_string(i) + "&vid_1234&pid_0001&mi_00", 0x1234, 1, 1, 6),
                    VendorCollectionDescriptor());
    }
    AddKeyboard(backend, "/dev/hidraw30");
    HidInterfaceHandle handle(backend);
    ASSERT_TRUE(handle.EnumerateHidPaths());
    EXPECT_EQ(handle.PathCount(), 22u);
    DeviceSlotList slots;
    EXPECT_EQ(Scan(backend, slots), (std::vector<int>{0, 1}));
}

TEST(DeviceSlotListTest, FailedEnumerationLeavesNoPaths) {
    ScriptedHidBackend backend;
    AddKeyboard(backend, "/dev/hidraw3");
    HidInterfaceHandle handle(backend);
    ASSERT_TRUE(handle.EnumerateHidPaths());
    backend.SetEnumerationFails(true);
    EXPECT_FALSE(handle.EnumerateHidPaths());
    EXPECT_EQ(handle.PathCount(), 0u);
    EXPECT_FALSE(handle.NextPath().has_value());
}

}  // namespace
}  // namespace morvek
