// The state file: every host-writable memory survives a save and a load into a fresh
// backend, and a missing or damaged file leaves every device as it was.

#include <gtest/gtest.h>
#include <json/json.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "EmulatorTestSupport.h"

namespace morvek::emulator::test {
namespace {

class StateFileTest : public EmulatorTest {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvek-emulator-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        file = (folder / "state.json").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void WriteFile(const std::string& text) const { std::ofstream(file) << text; }

    // Changes every stored memory of the keyboard through its commands.
    void ChangeKeyboard() {
        auto device = OpenCommands(EmulatedKind::Keyboard);
        ASSERT_NE(device, nullptr);
        ASSERT_TRUE(WriteChunked(*device, 0x06, 0, Bytes(25, 0x40)));
        ASSERT_TRUE(WriteChunked(*device, 0x09, 0, Bytes(9, 0x20)));
        ASSERT_TRUE(WriteChunked(*device, 0x15, 0, Bytes(34, 0x01)));
        ASSERT_TRUE(WriteChunked(*device, 0x0B, 3, Bytes(6, 0x90)));
        backend.Find(EmulatedKind::Keyboard)->SetPowerStatus(42, 1);
    }

    std::filesystem::path folder;
    std::string file;
};

TEST_F(StateFileTest, SavedMemoriesLoadIntoFreshDevices) {
    backend.Attach(EmulatedKind::Keyboard);
    EmulatedDevice& mouse = backend.Attach(EmulatedKind::WirelessMouse);
    ChangeKeyboard();
    auto receiver = OpenCommands(EmulatedKind::WirelessMouse);
    ASSERT_TRUE(WriteChunked(*receiver, 0x17, 100, Bytes(40, 0x33)));
    ASSERT_TRUE(WriteChunked(*receiver, 0x15, 0, Bytes(20, 0x44)));
    ASSERT_TRUE(backend.SaveState(file));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no temporary file is left";

    EmulatorBackend fresh;
    EmulatedDevice& keyboard = fresh.Attach(EmulatedKind::Keyboard);
    EmulatedDevice& freshMouse = fresh.Attach(EmulatedKind::WirelessMouse);
    ASSERT_NE(keyboard.Memory(), backend.Find(EmulatedKind::Keyboard)->Memory());
    ASSERT_TRUE(fresh.LoadState(file));
    EXPECT_EQ(keyboard.Memory(), backend.Find(EmulatedKind::Keyboard)->Memory());
    EXPECT_EQ(freshMouse.Memory(), mouse.Memory());
    EXPECT_EQ(freshMouse.ShootHighWater(), 140u);
    EXPECT_EQ(freshMouse.MacroHighWater(), 20u);
}

TEST_F(StateFileTest, LoadFillsOnlyAttachedDevicesAndKeepsThoseTheFileLacks) {
    backend.Attach(EmulatedKind::Keyboard);
    ChangeKeyboard();
    ASSERT_TRUE(backend.SaveState(file));

    EmulatorBackend fresh;
    EmulatedDevice& pad = fresh.Attach(EmulatedKind::MousePad);
    const FirmwareMemory padBefore = pad.Memory();
    ASSERT_TRUE(fresh.LoadState(file));
    EXPECT_EQ(fresh.Find(EmulatedKind::Keyboard), nullptr) << "loading attaches nothing";
    EXPECT_EQ(pad.Memory(), padBefore);
}

TEST_F(StateFileTest, MissingOrBrokenFilesChangeNothing) {
    EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    EmulatedDevice& pad = backend.Attach(EmulatedKind::MousePad);
    ChangeKeyboard();
    auto mat = OpenCommands(EmulatedKind::MousePad);
    ASSERT_TRUE(WriteChunked(*mat, 0x06, 0, Bytes(21, 0x70)));
    ASSERT_TRUE(backend.SaveState(file));
    Json::Value good;
    {
        std::ifstream in(file);
        in >> good;
    }
    // Each damaged file keeps the pad's valid entry beside the damage, so a partial load would show.
    auto damaged = [&](const std::function<void(Json::Value&)>& damage) {
        Json::Value state = good;
        damage(state["keyboard"]);
        return Json::writeString(Json::StreamWriterBuilder(), state);
    };
    const std::pair<const char*, std::string> cases[] = {
        {"not JSON", "{ \"keyboard\": "},
        {"not an object", "[1, 2]"},
        {"params too short", damaged([](Json::Value& k) { k["params"] = "00"; })},
        {"key table not hex", damaged([](Json::Value& k) { k["keyTable"] = std::string(756, 'g'); })},
        {"odd hex length", damaged([](Json::Value& k) { k["keyAttr"] = k["keyAttr"].asString() + "0"; })},
        {"member missing", damaged([](Json::Value& k) { k.removeMember("lightTable"); })},
        {"mark past the macro memory", damaged([](Json::Value& k) { k["macroHighWater"] = 4097; })},
        {"device entry not an object", damaged([](Json::Value& k) { k = 3; })},
    };
    ASSERT_TRUE(WriteChunked(*mat, 0x06, 0, Bytes(21, 0x10)));
    ASSERT_TRUE(WriteChunked(*OpenCommands(EmulatedKind::Keyboard), 0x06, 0, Bytes(25, 0x11)));
    const FirmwareMemory keyboardBefore = keyboard.Memory();
    const FirmwareMemory padBefore = pad.Memory();
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        WriteFile(text);
        EXPECT_FALSE(backend.LoadState(file));
        EXPECT_EQ(keyboard.Memory(), keyboardBefore);
        EXPECT_EQ(pad.Memory(), padBefore);
    }
    EXPECT_FALSE(backend.LoadState((folder / "missing.json").string()));
    EXPECT_FALSE(backend.SaveState((folder / "no-such-folder" / "state.json").string()));
}

TEST_F(StateFileTest, RestoredMemoriesMustFitAndKeepTheFirmwaresInformationRecord) {
    EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    const FirmwareMemory factory = keyboard.Memory();

    FirmwareMemory wrongSize = factory;
    wrongSize.params.resize(256);
    FirmwareMemory markPastEnd = factory;
    markPastEnd.macroHighWater = factory.macro.size() + 1;
    EXPECT_FALSE(keyboard.RestoreMemory(wrongSize));
    EXPECT_FALSE(keyboard.RestoreMemory(markPastEnd));
    EXPECT_EQ(keyboard.Memory(), factory);

    FirmwareMemory changed = factory;
    changed.params[0] = 3;
    changed.deviceInfo.assign(34, 0xEE);
    ASSERT_TRUE(keyboard.RestoreMemory(changed));
    EXPECT_EQ(keyboard.Params()[0], 3);
    EXPECT_EQ(keyboard.DeviceInfo(), factory.deviceInfo);
}

}  // namespace
}  // namespace morvek::emulator::test
