// The keyboard model against the emulated keyboard: the key layout read, key assignments
// reaching the device's key table, light and system changes written as the block the
// keyboard keeps, the custom colour table, and the profile document kept in step.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>
#include <string>
#include <vector>

#include "devicelink/DeviceEventReader.h"
#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceModelTestSupport.h"
#include "devicelink/HidCommandReport.h"
#include "devices/keyboard/KeyboardSettingsBlock.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "devices/lighting/SynchronisedLighting.h"
#include "devices/keys/KeyDefaultTable.h"
#include "devices/keys/KeyFunctionType.h"
#include "devices/keys/KeyPanel.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "emulator/KeyboardMatrix.h"
#include "macros/EmulatedChannel.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileListStore.h"
#include "support/SourcePaths.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

const DevicePageTemplate& KeyboardPage() {
    return DevicePageTemplates()[size_t(FindPageTemplate(0x0C45, 0x764E, kKindKeyboard, kRoleCommand))];
}

// Configured as the window does, with the shipped defaults and the first profile of a fresh
// profile list in data.
void ConfigureKeyboard(CTalvorenKeyboardDevice& model, const std::filesystem::path& data) {
    DeviceEntry slot;
    slot.kind = kKindKeyboard;
    DeviceModelRegistry::ConfigureModel(model, KeyboardPage(), slot);
    model.SetDataRoots(data, test::SourceDataDir());
    ProfileListStore profiles(kKindKeyboard, ProfileFolder(data, kKindKeyboard),
                              ProfileTemplate(test::SourceDataDir(), kKindKeyboard));
    EXPECT_EQ(profiles.LoadProfileList(), ProfileStatus::kOk);
    model.SetProfileName(profiles.GetCurrentProfileUUID());
}

class KeyboardModelTest : public ::testing::Test {
protected:
    KeyboardModelTest() { ConfigureKeyboard(model_, folder_ / "data"); }

    void Attach() { ASSERT_TRUE(model_.CommandChannel().Open(emu_.Channel().Interface().Path())); }
    void AttachAndReadConfig() {
        Attach();
        model_.ReadDeviceConfig();
        emu_.TakeCommands();
    }
    int OnDevice(std::function<int()> work) {
        int result = -999;
        model_.RunOnDevice(std::move(work), [&result](int r) { result = r; });
        return result;
    }
    std::vector<uint8_t> DeviceBlock() {
        const auto params = emu_.Device().Params();
        return {params.begin(), params.begin() + long(kKeyboardSettingsBlockSize)};
    }
    std::vector<uint8_t> DeviceSlot(size_t slot) {
        const auto table = emu_.Device().KeyTable();
        return {table.begin() + long(slot * 3), table.begin() + long(slot * 3 + 3)};
    }
    // The slot the emulated keyboard keeps a matrix key in.
    static size_t SlotOfKey(int key) {
        const auto& slots = emulator::SlotMatrixIndex();
        return size_t(std::find(slots.begin(), slots.end(), key) - slots.begin());
    }
    KeyboardSettingsBlock BlockOf(const LightSettings& light) {
        return BuildKeyboardSettingsBlock(light, model_.SystemSettings(), 0);
    }

    test::TempFolder folder_;
    test::EmulatedChannel emu_{emulator::EmulatedKind::Keyboard};
    InlineUiDispatcher ui_;
    CTalvorenKeyboardDevice model_{emu_, ui_, TaskQueueMode::Inline};
};

TEST_F(KeyboardModelTest, ConfigurationReadFindsEveryKeyAndLoadsTheProfile) {
    AttachAndReadConfig();
    const KeyLayout layout = model_.Layout();
    ASSERT_TRUE(layout.IsRead());
    const auto leds = emu_.Device().KeyAttrTable();
    for (int key : {0, 37, 110, 120, 125}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(layout.SlotOf(key), SlotOfKey(key));
        EXPECT_EQ(layout.LedOf(key), leds[SlotOfKey(key)]);
    }
    EXPECT_EQ(layout.SlotOf(kKeyM1), 0);

    // The shipped template: mode 1 at brightness 4, speed 3, colour cycle.
    const LightSettings light = model_.CurrentLight();
    EXPECT_EQ(light.mode, 1);
    EXPECT_EQ(light.brightnessLevel, 4);
    EXPECT_EQ(light.speedLevel, 3);
    const auto keys = model_.KeyList();
    ASSERT_EQ(keys.size(), size_t(kKeyCount));
    EXPECT_EQ(keys[37].current, DefaultKeyTable()[37]);
    EXPECT_EQ(model_.KeyLabels().size(), size_t(kKeyCount));
}

TEST_F(KeyboardModelTest, DeviceOperationsOnAClosedChannelSendNothing) {
    EXPECT_EQ(model_.ReadKeyLayout(), kResultNoAnswer);
    EXPECT_EQ(model_.WriteKeyAssignments(0), kResultNoAnswer);
    EXPECT_EQ(model_.WriteSettings(0, 0, 1, 0, 0), kResultNoAnswer);
    EXPECT_EQ(model_.ReadSettingsBlock(), kResultNoAnswer);
    EXPECT_TRUE(emu_.TakeCommands().empty());
    EXPECT_FALSE(model_.Layout().IsRead());
}

TEST_F(KeyboardModelTest, KeyTableIsNotWrittenBeforeTheLayoutIsRead) {
    Attach();
    EXPECT_EQ(model_.WriteKeyAssignments(0), kResultRefused);
    EXPECT_EQ(emu_.TakeCommands(), std::vector<uint8_t>{kCmdReadDeviceInfo});
}

TEST_F(KeyboardModelTest, PanelCommitsReachTheKeysSlotAndLeaveUnknownSlotsAsRead) {
    // A slot holding a function no key of the matrix has by default: no key maps to it.
    emulator::FirmwareMemory memory = emu_.Device().Memory();
    const size_t unknownSlot = SlotOfKey(18);  // an empty matrix position (0x20, 0, 0)
    memory.keyTable[unknownSlot * 3] = 0x5A;
    memory.keyTable[unknownSlot * 3 + 2] = 0x33;
    ASSERT_TRUE(emu_.Device().RestoreMemory(memory));
    AttachAndReadConfig();
    const KeyLayout layout = model_.Layout();
    const auto& slotMap = layout.SlotMap();
    ASSERT_EQ(std::find(slotMap.begin(), slotMap.end(), unknownSlot), slotMap.end());

    struct Case {
        const char* name;
        int key;
        std::function<void(KeyPanelState&)> fill;
        std::vector<uint8_t> stored;
    };
    const std::vector<Case> cases = {
        {"wheel 3 in the second direction", 37,
         [](KeyPanelState& p) { p.functionPage = kPageWheel, p.wheelCount = "3", p.wheelDirectionItem = 1; },
         {kKeyTypeWheel, 0x00, 0xFD}},
        {"swing count 130", 38,
         [](KeyPanelState& p) { p.functionPage = kPageSwing, p.swingCount = "130", p.swingDirectionItem = 0; },
         {kKeyTypeSwing, 0x00, 0x02}},
        {"RCtrl captured", 39,
         [](KeyPanelState& p) {
             SelectFunctionPage(p, kPageKeyboard);
             CaptureKey(p, 0x1D, true);
         },
         {kKeyTypeKeyboard, kModifierLCtrl, 0x00}},
        {"macro 0 repeated 300 times", 40,
         [](KeyPanelState& p) {
             p.functionPage = kPageMacro, p.macroCount = 1, p.macroItem = 0;
             SelectMacroRepeat(p, kMacroRepeatCountItem);
             p.macroCycleCount = "300";
         },
         {0x71, 0x00, 44}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyPanelState panel;
        model_.SelectKey(c.key);
        HoldEntry(panel, model_.KeyList()[size_t(c.key)]);
        c.fill(panel);
        ASSERT_EQ(model_.StoreKeyAssignment(BuildAssignmentFromPanel(panel)), KeyAssignmentStatus::kDone);
    }
    ASSERT_EQ(model_.WriteKeyAssignments(0), kResultSuccess);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DeviceSlot(SlotOfKey(c.key)), c.stored);
    }
    EXPECT_EQ(DeviceSlot(unknownSlot), (std::vector<uint8_t>{0x5A, 0x00, 0x33}));
    const KeyAssignment untouched = DefaultKeyTable()[41];
    EXPECT_EQ(DeviceSlot(SlotOfKey(41)), (std::vector<uint8_t>{untouched.type, untouched.p1, untouched.p2}));

    // The assignments are in the profile once it is saved.
    ASSERT_TRUE(model_.SaveProfileDocument());
    CKeyboardProfiledata reopened;
    reopened.LoadDeviceSection(model_.ProfileDocumentPath());
    EXPECT_EQ(reopened.ReadKeyList()[37].current, (KeyAssignment{kKeyTypeWheel, 0x00, 0xFD}));
}

TEST_F(KeyboardModelTest, BuiltInKeysCannotBeSelectedForAnAssignment) {
    test::RecordingView view;
    model_.SetView(&view);
    for (int key : kBuiltInKeys) {
        model_.SelectKey(key);
        EXPECT_NE(model_.ActiveKey(), key);
    }
    EXPECT_EQ(model_.StoreKeyAssignment(model_.KeyList()[110]), KeyAssignmentStatus::kNoKey);
    EXPECT_EQ(view.refreshes, 0);
    model_.SelectKey(37);
    EXPECT_EQ(model_.ActiveKey(), 37);
    EXPECT_EQ(view.refreshes, 1);
    model_.SetView(nullptr);
}

TEST_F(KeyboardModelTest, LightChangeIsSavedAndWrittenAsTheKeyboardsBlock) {
    AttachAndReadConfig();
    LightSettings light = model_.CurrentLight();
    light.mode = 30;  // a mode without firmware effect
    light.speedLevel = 1;
    int written = -999;
    ASSERT_EQ(model_.ChangeLight(light, [&written](int r) { written = r; }), LightChange::kDone);
    EXPECT_EQ(written, kResultSuccess);
    EXPECT_EQ(emu_.TakeCommands(), (std::vector<uint8_t>{kCmdWriteParams, kCmdEndConfig}));
    const auto block = DeviceBlock();
    EXPECT_EQ(block[1], 0);  // mode 30 is written as 0
    EXPECT_EQ(block[3], 3);  // speed 1 is written as 4 - 1
    const auto expected = BlockOf(light);
    EXPECT_EQ(block, std::vector<uint8_t>(expected.begin(), expected.end()));

    CKeyboardProfiledata reopened;
    reopened.LoadDeviceSection(model_.ProfileDocumentPath());
    EXPECT_EQ(LightSettingsFromWords(reopened.ReadLightInfo()).mode, 30);

    // Read back: speed 1 again; mode 0 is what the keyboard holds.
    ASSERT_EQ(model_.ReadSettingsBlock(), kResultSuccess);
    EXPECT_EQ(model_.CurrentLight().speedLevel, 1);
    EXPECT_EQ(model_.CurrentLight().mode, 0);
}

TEST_F(KeyboardModelTest, SynchronisedFlagFollowsTheKeyboardsOwnChanges) {
    AttachAndReadConfig();
    SynchronisedLighting sync([this] { return std::vector<CTalvorenUSBDevice*>{&model_}; });
    CTalvorenUSBDevice* const models[] = {&model_};
    LightSettings light = model_.CurrentLight();
    light.mode = 24;  // off, a common light
    light.colour = {10, 20, 30};
    ASSERT_EQ(model_.ChangeLight(light), LightChange::kDone);
    ASSERT_EQ(sync.Apply(model_, models).type, CommonLightType::Off);
    EXPECT_TRUE(model_.CommandChannel().IsSynchronised());
    EXPECT_EQ(model_.CurrentLight().mode, 24);
    EXPECT_EQ(DeviceBlock()[1], 24);

    // A light chosen on the keyboard ends it, and so does a read of the keyboard's block.
    ASSERT_EQ(model_.ChangeLight(model_.CurrentLight()), LightChange::kDone);
    EXPECT_FALSE(model_.CommandChannel().IsSynchronised());
    light.mode = 8;  // breathing
    ASSERT_EQ(model_.ChangeLight(light), LightChange::kDone);
    ASSERT_EQ(sync.Apply(model_, models).type, CommonLightType::Breathing);
    EXPECT_TRUE(model_.CommandChannel().IsSynchronised());
    EXPECT_EQ(model_.CurrentLight().mode, 8);
    model_.ReadDeviceProfile();
    EXPECT_FALSE(model_.CommandChannel().IsSynchronised());
}

TEST_F(KeyboardModelTest, FailedReadLeavesTheModelAndTheProfileAsTheyWere) {
    AttachAndReadConfig();
    const LightSettings before = model_.CurrentLight();
    emulator::FaultPlan faults;
    faults.forcedStatus = 0xFF;
    emu_.Device().SetFaults(faults);
    EXPECT_EQ(model_.ReadSettingsBlock(), kResultStatusFF);
    EXPECT_EQ(model_.CurrentLight(), before);
    // A refused settings write is reported, not turned into success.
    EXPECT_EQ(model_.WriteSettings(0, 0, 1, 0, 0), kResultStatusFF);
    EXPECT_EQ(model_.WriteKeyAssignments(0), kResultStatusFF);
}

TEST_F(KeyboardModelTest, SystemChangesWriteOnlyWhatTheKeyboardKeeps) {
    AttachAndReadConfig();
    bool saved = false;
    const std::vector<CTalvorenKeyboardDevice::SystemChange> repeat = {{KeyboardSystemField::RepeatRate, 20},
                                                                         {KeyboardSystemField::RepeatDelay, 2}};
    ASSERT_TRUE(model_.ChangeSystemSettings(repeat, saved));
    EXPECT_TRUE(saved);
    EXPECT_TRUE(emu_.TakeCommands().empty());

    const std::vector<CTalvorenKeyboardDevice::SystemChange> lock = {{KeyboardSystemField::WinLock, 1}};
    ASSERT_TRUE(model_.ChangeSystemSettings(lock, saved));
    EXPECT_EQ(DeviceBlock()[21], 1);

    // One refused value: nothing of the change is stored.
    const std::vector<CTalvorenKeyboardDevice::SystemChange> refused = {{KeyboardSystemField::WFlag, 1},
                                                                          {KeyboardSystemField::PollingRate, 4}};
    EXPECT_FALSE(model_.ChangeSystemSettings(refused, saved));
    EXPECT_EQ(model_.SystemSettings().wFlag, 0);
    CKeyboardProfiledata reopened;
    reopened.LoadDeviceSection(model_.ProfileDocumentPath());
    const auto stored = KeyboardSystemSettings::FromWords(reopened.ReadKeyboardSystem());
    EXPECT_EQ(stored.repeatRate, 20);
    EXPECT_EQ(stored.winLock, 1);
    EXPECT_EQ(stored.wFlag, 0);
}

TEST_F(KeyboardModelTest, CustomModeWritesEachKeyAtItsLedPositionScaledByItsBrightness) {
    AttachAndReadConfig();
    ASSERT_TRUE(model_.SelectCustomLightGroup(0));
    LightSettings light = model_.CurrentLight();
    light.mode = kKeyboardCustomLightMode;
    light.colour = {0, 0, 0};
    ASSERT_EQ(model_.ChangeLight(light), LightChange::kDone);
    // Entering the mode loads the group and writes its table.
    const auto sent = emu_.TakeCommands();
    EXPECT_NE(std::find(sent.begin(), sent.end(), kCmdWriteLightTable), sent.end());

    const int key = 37;
    model_.SetLedColour(key, LedEntry{{200, 100, 50}, 128}.Packed());
    ASSERT_EQ(model_.WriteLedColourTable(), kResultSuccess);
    const size_t p = model_.Layout().LedOf(key);
    const auto table = emu_.Device().LightTable();
    EXPECT_EQ(std::vector<uint8_t>(table.begin() + long(3 * p), table.begin() + long(3 * p + 3)),
              (std::vector<uint8_t>{100, 50, 25}));

    // Outside the custom mode nothing is written.
    light.mode = 8;
    model_.ChangeLight(light);
    emu_.TakeCommands();
    EXPECT_EQ(model_.WriteLedColourTable(), kResultNoAnswer);
    EXPECT_TRUE(emu_.TakeCommands().empty());
}

TEST_F(KeyboardModelTest, MacroReferencesPastTheListGoBackToTheirDefault) {
    AttachAndReadConfig();
    model_.SelectKey(37);
    KeyListEntry entry = model_.KeyList()[37];
    entry.current = {0x70, 5, 0};  // no macro list: macro 5 does not exist
    ASSERT_EQ(model_.StoreKeyAssignment(entry), KeyAssignmentStatus::kDone);
    model_.CheckMacroAssignments();
    EXPECT_EQ(model_.KeyList()[37].current, DefaultKeyTable()[37]);
    ASSERT_TRUE(model_.SaveProfileDocument());
    CKeyboardProfiledata reopened;
    reopened.LoadDeviceSection(model_.ProfileDocumentPath());
    EXPECT_EQ(reopened.ReadKeyList()[37].current, DefaultKeyTable()[37]);
}

TEST_F(KeyboardModelTest, RestoreDefaultsBringsBackTheShippedSettingsUnderTheSameName) {
    AttachAndReadConfig();
    const LightSettings shippedLight = model_.CurrentLight();
    const KeyListEntry shippedKey = model_.KeyList()[37];
    LightSettings light = shippedLight;
    light.mode = 8;
    ASSERT_EQ(model_.ChangeLight(light), LightChange::kDone);
    model_.SelectKey(37);
    KeyListEntry entry = shippedKey;
    entry.current = {0x20, 0, 4};
    ASSERT_EQ(model_.StoreKeyAssignment(entry), KeyAssignmentStatus::kDone);
    bool saved = false;
    const std::vector<CTalvorenKeyboardDevice::SystemChange> lock = {{KeyboardSystemField::WinLock, 1}};
    ASSERT_TRUE(model_.ChangeSystemSettings(lock, saved));
    std::string name;
    model_.GetProfileName(name);

    model_.RestoreDefaults();
    EXPECT_EQ(model_.CurrentLight(), shippedLight);
    EXPECT_EQ(model_.KeyList()[37], shippedKey);
    EXPECT_EQ(model_.SystemSettings().winLock, 0);
    CKeyboardProfiledata reopened;
    reopened.LoadDeviceSection(model_.ProfileDocumentPath());
    EXPECT_EQ(reopened.ReadKeyList()[37].current, shippedKey.current);
    EXPECT_EQ(reopened.ReadLightInfo()[0] & 0xFF, shippedLight.mode);
    std::string after;
    model_.GetProfileName(after);
    EXPECT_EQ(after, name);
}

// The window's threads: panel changes on the test thread (the user-interface thread) while the
// device thread reads the configuration; every write lands, in order.
TEST(KeyboardModelThreadTest, PanelChangesRunBesideTheDeviceThread) {
    test::TempFolder folder;
    test::EmulatedChannel emu(emulator::EmulatedKind::Keyboard);
    QueuedUiDispatcher ui;
    CTalvorenKeyboardDevice model(emu, ui, TaskQueueMode::Thread);
    ConfigureKeyboard(model, folder / "data");
    ASSERT_TRUE(model.CommandChannel().Open(emu.Channel().Interface().Path()));
    model.RunOnDevice([&model] { model.ReadDeviceConfig(); });

    std::vector<int> results;
    for (uint8_t level = 0; level < 10; ++level) {
        LightSettings light = model.CurrentLight();
        light.brightnessLevel = level % 5;
        model.ChangeLight(light, [&results](int r) { results.push_back(r); });
    }
    model.Tasks().WaitIdle();
    ui.RunPending();
    EXPECT_EQ(results, std::vector<int>(10, kResultSuccess));
    EXPECT_EQ(emu.Device().Params()[2], 4);
    EXPECT_TRUE(model.Layout().IsRead());
}

// Keeps what the model asks its view to show.
class PreviewView : public IDeviceView {
public:
    void ShowLightPreview(const std::vector<LedPreview>& previews) override {
        shown = previews;
        ++calls;
    }
    std::vector<LedPreview> shown;
    int calls = 0;
};

TEST_F(KeyboardModelTest, ConfigurationReadStartsTheLightPreviewThatPaintsTheMode) {
    AttachAndReadConfig();  // the template's mode 1: a column wave over columns 0-6
    EXPECT_TRUE(model_.LightPreviewRunning());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (model_.LedsSnapshot()[0].brightness == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_NE(model_.LedsSnapshot()[0].brightness, 0);
    EXPECT_EQ(model_.LedsSnapshot()[16], LedEntry{});  // not in columns 0-6: untouched
}

TEST_F(KeyboardModelTest, FramesShowTheLedBufferAndSendNothingToTheKeyboard) {
    PreviewView view;
    model_.SetView(&view);
    Attach();
    model_.SetLedColour(3, LedEntry{{10, 20, 30}, 128}.Packed());
    model_.SendLedFrame();
    EXPECT_EQ(emu_.Device().FrameCount(), 0u);
    EXPECT_TRUE(emu_.TakeCommands().empty());
    ASSERT_EQ(view.shown.size(), size_t(kKeyCount));
    EXPECT_EQ(view.shown[3], (LedPreview{10 + 30 * 256 + 20 * 65536, 128}));
    model_.SetLightPreview(false);
    model_.SendLedFrame();
    EXPECT_EQ(view.calls, 1);
    model_.SetView(nullptr);
}

// Says whether its caller is on the user-interface thread, and keeps what is posted.
class ThreadAwareUi : public IUiDispatcher {
public:
    explicit ThreadAwareUi(bool onUiThread) : onUiThread_(onUiThread) {}
    void Post(std::function<void()> callback) override { posted.push_back(std::move(callback)); }
    bool OnUiThread() const override { return onUiThread_; }
    std::vector<std::function<void()>> posted;

private:
    bool onUiThread_;
};

// The window makes the keyboard's frames on its own thread: they reach the view at once, with
// nothing posted. A frame made elsewhere is posted to the user-interface thread.
TEST(KeyboardModelFrameTest, AFrameMadeOnTheUserInterfaceThreadReachesTheViewWithoutAPost) {
    for (const bool onUiThread : {true, false}) {
        SCOPED_TRACE(onUiThread ? "on the user-interface thread" : "on another thread");
        test::TempFolder folder;
        test::EmulatedChannel emu(emulator::EmulatedKind::Keyboard);
        ThreadAwareUi ui(onUiThread);
        CTalvorenKeyboardDevice model(emu, ui, TaskQueueMode::Inline);
        ConfigureKeyboard(model, folder / "data");
        PreviewView view;
        model.SetView(&view);
        model.SetLightPreview(true);
        model.SetLedColour(3, LedEntry{{10, 20, 30}, 128}.Packed());
        const size_t postedBefore = ui.posted.size();
        model.SendLedFrame();
        EXPECT_EQ(ui.posted.size() - postedBefore, onUiThread ? 0u : 1u);
        if (!onUiThread) ui.posted.back()();
        ASSERT_EQ(view.calls, 1);
        ASSERT_EQ(view.shown.size(), size_t(kKeyCount));
        EXPECT_EQ(view.shown[3], (LedPreview{10 + 30 * 256 + 20 * 65536, 128}));
        model.SetView(nullptr);
    }
}

TEST_F(KeyboardModelTest, AModeChangeRestartsThePreviewWithTheModesStartAction) {
    Attach();
    {
        std::lock_guard led(model_.LedLock());
        model_.Light().SetPhase(77);
        model_.Light().FadeLevels()[4] = 9;
    }
    LightSettings light = model_.CurrentLight();
    light.mode = 13;
    model_.ChangeLight(light);
    std::lock_guard led(model_.LedLock());
    EXPECT_EQ(model_.Light().Phase(), 0);
    EXPECT_EQ(model_.Light().FadeLevels()[4], 0);
    EXPECT_EQ(model_.Light().ColourIndices()[5], 6);
}

TEST_F(KeyboardModelTest, KeyEventsOfMappedSlotsReachTheReactiveMode) {
    Attach();
    ASSERT_EQ(model_.ReadKeyLayout(), kResultSuccess);
    LightSettings light = model_.CurrentLight();
    light.mode = 5;
    model_.ChangeLight(light);
    model_.OnDeviceKeyEvent(int(SlotOfKey(37)), kKeyPhasePressed);
    model_.OnDeviceKeyEvent(250, kKeyPhasePressed);  // a slot no key maps to
    std::lock_guard led(model_.LedLock());
    const auto fades = model_.Light().FadeLevels();
    EXPECT_EQ(fades[37], 255);
    EXPECT_EQ(std::count(fades.begin(), fades.end(), 0), kKeyCount - 1);
}

}  // namespace
}  // namespace morvek
