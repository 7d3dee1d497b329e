// "Save to the device" of the key panel on a mouse: macros first, then the key table, and
// whether the mouse answered at all, so that the window can tell a mouse out of reach from a
// macro memory that is full.
#include "devices/KeyTableSave.h"

#include <gtest/gtest.h>

#include "devicelink/ResultCodes.h"
#include "macros/MacroDownload.h"
#include "mouse/MouseModelFixture.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using test::MouseModelFixture;

struct SaveCase {
    const char* name;
    EmulatedKind kind;
    emulator::FaultPlan faults;
    bool written;
    bool answered;
};

TEST(KeyTableSaveTest, TellsAWrittenTableARefusalAndAMouseThatDoesNotAnswer) {
    emulator::FaultPlan away;
    away.linkDown = true;
    emulator::FaultPlan refusing;
    refusing.forcedStatus = 0xFF;
    const SaveCase cases[] = {
        {"wired", EmulatedKind::Mouse, {}, true, true},
        {"wireless in reach", EmulatedKind::WirelessMouse, {}, true, true},
        {"wireless out of reach", EmulatedKind::WirelessMouse, away, false, false},
        {"refusing", EmulatedKind::Mouse, refusing, false, true},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        MouseModelFixture f(c.kind);
        f.Model().ReadDeviceConfig();
        f.Model().SelectKey(1);
        KeyListEntry entry = f.Model().KeyList()[1];
        entry.current = {0x10, 0x04, 0};
        ASSERT_EQ(f.Model().StoreKeyAssignment(entry), KeyAssignmentStatus::kDone);
        const std::vector<uint8_t> before = f.Device().KeyTable();
        f.Device().SetFaults(c.faults);

        const KeyTableSaveResult result = SaveKeyTableToDevice(f.Model());
        EXPECT_EQ(result.Written(), c.written);
        EXPECT_EQ(result.answered, c.answered);
        EXPECT_EQ(result.macros, kMacroDownloadDone);  // no macros: nothing to send
        const int slot = f.Model().ButtonMap().SlotOf(1);
        f.Device().SetFaults({});
        const std::vector<uint8_t> after = f.Device().KeyTable();
        if (c.written) {
            EXPECT_EQ(after[size_t(slot) * 3 + 1], 0x04);
        } else {
            EXPECT_EQ(after, before);
        }
    }
}

}  // namespace
}  // namespace morvek
