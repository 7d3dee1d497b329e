#include <gtest/gtest.h>

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
