// Which HID collections each emulated device presents, and how attaching and detaching
// devices changes the list while paths stay stable.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "EmulatorTestSupport.h"

namespace morvek::emulator::test {
namespace {

struct ExpectedEntry {
    std::string pathSuffix;  // after "emu:<kind>"
    uint16_t interfaceNumber;
    uint16_t collectionNumber;
    uint16_t usagePage;
    uint16_t usage;
    uint16_t inputLength;
    uint16_t outputLength;
};

struct KindCase {
    EmulatedKind kind;
    uint16_t vendorId;
    uint16_t productId;
    std::vector<ExpectedEntry> entries;
};

// Interface 1 of keyboard, mice and pad: keys, system control, consumer (events), vendor (commands).
// The receiver of the wireless mouse has it as interface 2.
std::vector<ExpectedEntry> WithControlInterface(const std::string& ids, ExpectedEntry interface0, uint16_t mi = 1) {
    const std::string control = ids + "&mi_0" + std::to_string(mi);
    return {interface0,
            {control + "&col01", mi, 1, 0x01, 0x06, 22, 0},
            {control + "&col02", mi, 2, 0x01, 0x80, 2, 0},
            {control + "&col03", mi, 3, 0x0C, 0x01, 3, 0},
            {control + "&col04", mi, 4, 0xFF1C, 0x92, 64, 64}};
}

std::vector<KindCase> KindCases() {
    const std::string keyboardIds = "&vid_0c45&pid_764e";
    const std::string zeroIds = "&vid_0000&pid_0000";
    return {
        {EmulatedKind::Keyboard, 0x0C45, 0x764E,
         WithControlInterface(keyboardIds, {keyboardIds + "&mi_00", 0, 0, 0x01, 0x06, 9, 2})},
        {EmulatedKind::Mouse, 0, 0, WithControlInterface(zeroIds, {zeroIds + "&mi_00", 0, 0, 0x01, 0x02, 7, 0})},
        {EmulatedKind::WirelessMouse, 0, 0,
         WithControlInterface(zeroIds, {zeroIds + "&mi_00", 0, 0, 0x01, 0x02, 7, 0}, 2)},
        {EmulatedKind::MousePad, 0, 0, WithControlInterface(zeroIds, {zeroIds + "&mi_00", 0, 0, 0x01, 0x06, 9, 2})},
        {EmulatedKind::Headset, 0, 0, {{zeroIds + "&mi_03", 3, 0, 0x0C, 0x01, 64, 64}}},
    };
}

class EnumerationTest : public EmulatorTest {};

TEST_F(EnumerationTest, EachKindPresentsItsCollectionsWithPathMarkersAndUsages) {
    for (const KindCase& c : KindCases()) {
        SCOPED_TRACE(EmulatedKindName(c.kind));
        EmulatorBackend local;
        EmulatedDevice& device = local.Attach(c.kind);
        std::vector<hid::HidInterfaceInfo> entries;
        ASSERT_TRUE(local.Enumerate(entries));
        ASSERT_EQ(entries.size(), c.entries.size());
        const std::vector<uint8_t> info = device.DeviceInfo();
        const auto firmwareVersion = static_cast<uint16_t>(info[1] | (info[2] << 8));
        for (size_t i = 0; i < entries.size(); ++i) {
            const hid::HidInterfaceInfo& got = entries[i];
            const ExpectedEntry& want = c.entries[i];
            EXPECT_EQ(got.path, std::string("emu:") + EmulatedKindName(c.kind) + want.pathSuffix);
            EXPECT_EQ(got.vendorId, c.vendorId);
            EXPECT_EQ(got.productId, c.productId);
            EXPECT_EQ(got.interfaceNumber, want.interfaceNumber);
            EXPECT_EQ(got.collectionNumber, want.collectionNumber);
            EXPECT_EQ(got.usagePage, want.usagePage);
            EXPECT_EQ(got.usage, want.usage);
            EXPECT_EQ(got.inputReportLength, want.inputLength);
            EXPECT_EQ(got.outputReportLength, want.outputLength);
            EXPECT_EQ(got.featureReportLength, 0);
            EXPECT_NE(got.releaseNumber, 0);
            EXPECT_EQ(got.releaseNumber, firmwareVersion) << "the information record carries the same version";
            EXPECT_TRUE(local.Exists(got.path));
        }
    }
}

TEST_F(EnumerationTest, AttachIsOnePerKindAndDetachRemovesOnlyThatKind) {
    EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    EXPECT_EQ(&backend.Attach(EmulatedKind::Keyboard), &keyboard);
    backend.Attach(EmulatedKind::Headset);
    EXPECT_EQ(backend.Find(EmulatedKind::Keyboard), &keyboard);
    EXPECT_EQ(backend.Find(EmulatedKind::Mouse), nullptr);

    std::vector<hid::HidInterfaceInfo> entries;
    ASSERT_TRUE(backend.Enumerate(entries));
    EXPECT_EQ(entries.size(), 6u);
    const std::string keyboardCommands = Entry(EmulatedKind::Keyboard, kVendorPage)->path;

    EXPECT_TRUE(backend.Detach(EmulatedKind::Keyboard));
    EXPECT_FALSE(backend.Detach(EmulatedKind::Keyboard));
    EXPECT_EQ(backend.Find(EmulatedKind::Keyboard), nullptr);
    ASSERT_TRUE(backend.Enumerate(entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, "emu:headset&vid_0000&pid_0000&mi_03");
    EXPECT_FALSE(backend.Exists(keyboardCommands));
    EXPECT_EQ(backend.Open(keyboardCommands, {}), nullptr);

    backend.Attach(EmulatedKind::Keyboard);
    EXPECT_TRUE(backend.Exists(keyboardCommands)) << "a re-plugged device keeps its paths";
}

TEST_F(EnumerationTest, UnknownPathsAndExclusiveConflictsDoNotOpen) {
    backend.Attach(EmulatedKind::Keyboard);
    EXPECT_EQ(backend.Open("emu:keyboard&vid_0c45&pid_764e&mi_01&col05", {}), nullptr);
    EXPECT_FALSE(backend.Exists("emu:mouse&vid_0000&pid_0000&mi_01&col04"));

    const std::string vendor = Entry(EmulatedKind::Keyboard, kVendorPage)->path;
    const std::string consumer = Entry(EmulatedKind::Keyboard, kConsumerPage)->path;
    auto shared = backend.Open(vendor, {});
    ASSERT_NE(shared, nullptr);
    EXPECT_NE(backend.Open(consumer, {}), nullptr) << "shared opens coexist";
    EXPECT_EQ(backend.Open(consumer, {true, true, true}), nullptr) << "the interface is already open";
    shared.reset();
    auto exclusive = backend.Open(vendor, {true, true, true});
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(backend.Open(consumer, {}), nullptr);
}

TEST_F(EnumerationTest, HotPlugWhileAnotherThreadEnumeratesAndTalks) {
    std::atomic<bool> stop = false;
    std::atomic<int> answered = 0;
    std::thread host([&] {
        while (!stop) {
            std::vector<hid::HidInterfaceInfo> entries;
            if (!backend.Enumerate(entries)) {
                ADD_FAILURE() << "enumeration failed";
                return;
            }
            for (const auto& entry : entries) {
                if (entry.usagePage != kVendorPage) {
                    continue;
                }
                if (auto device = backend.Open(entry.path, {})) {
                    answered += Exchange(*device, Request(0x03, 34, 0), 100).has_value() ? 1 : 0;
                }
            }
        }
    });
    for (int round = 0; round < 200; ++round) {
        backend.Attach(round % 2 ? EmulatedKind::Mouse : EmulatedKind::Keyboard);
        std::this_thread::yield();
        backend.Detach(round % 3 ? EmulatedKind::Keyboard : EmulatedKind::Mouse);
    }
    backend.Attach(EmulatedKind::MousePad);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (answered == 0 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::yield();
    }
    stop = true;
    host.join();
    EXPECT_GT(answered, 0) << "the device that stays attached answers";
}

}  // namespace
}  // namespace morvek::emulator::test
