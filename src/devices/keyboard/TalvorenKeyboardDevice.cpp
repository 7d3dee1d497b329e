#include "devices/keyboard/TalvorenKeyboardDevice.h"

#include "devicelink/DeviceKinds.h"

#include <algorithm>
#include <utility>

#include "devicelink/LightFrame.h"
#include "devicelink/ResultCodes.h"
#include "devices/keyboard/CustomLightGroupEditor.h"
#include "devices/keyboard/KeyboardSettingsBlock.h"
#include "devices/keys/KeyDefaultTable.h"
#include "devices/keys/KeyIndex.h"
#include "devices/keys/KeyMacroCheck.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "macros/MacroDownload.h"
#include "macros/MacroListFile.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"

namespace morvek {
namespace {

// The key list of a document: one entry per key of the matrix. Keys the document lacks keep
// their factory function; entries beyond the matrix are not keys.
std::vector<KeyListEntry> KeyListOfDocument(const std::vector<KeyListEntry>& stored) {
    std::vector<KeyListEntry> keys(kKeyCount);
    const auto& defaults = DefaultKeyTable();
    for (size_t i = 0; i < keys.size(); ++i) {
        const auto index = static_cast<uint16_t>(i);
        keys[i] = i < stored.size() ? stored[i] : KeyListEntry{index, defaults[i], index, defaults[i]};
    }
    return keys;
}

bool IsBuiltInKey(int keyIndex) {
    return std::find(kBuiltInKeys.begin(), kBuiltInKeys.end(), keyIndex) != kBuiltInKeys.end();
}

}  // namespace

CTalvorenKeyboardDevice::CTalvorenKeyboardDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode,
                                                 LightEngine::Clock flashClock)
    : CTalvorenUSBDevice(backend, ui, mode, flashClock),
      keys_(KeyListOfDocument({})),
      previewClock_(flashClock ? std::move(flashClock) : LightEngine::Clock(LightEngine::SteadyMilliseconds)),
      preview_(Light()),
      lightThread_([this] { return LightPass(); }) {
    SetDeviceKeyHandler([this](int slot, int phase) { OnDeviceKeyEvent(slot, phase); });
}

CTalvorenKeyboardDevice::~CTalvorenKeyboardDevice() {
    lightThread_.Stop();
    Shutdown();
}

// ---- Base operations ---------------------------------------------------------------------

int CTalvorenKeyboardDevice::RefreshPage() {
    {
        std::lock_guard lock(ModelLock());
        if (CopyLightFromProfile()) RestartLightMode();
        profile_.ReadLightList();
        std::lock_guard light(LightLock());
        // A light configuration that cannot be read leaves no sequence to play.
        profile_.LoadLightConfig();
        profile_.ReadLightEffect();
        std::lock_guard led(LedLock());
        preview_.SetLedRecords(profile_.LedRecords());
        preview_.SetEffectSequence(profile_.LightEffectSteps());
    }
    return CTalvorenUSBDevice::RefreshPage();
}

void CTalvorenKeyboardDevice::ReadDeviceConfig() {
    ReadKeyLayout();
    LoadProfile();
    ApplyProfileToPage();
    StartLightPreview();
}

void CTalvorenKeyboardDevice::ReadDeviceProfile() { ReadSettingsBlock(); }

void CTalvorenKeyboardDevice::SendLedFrame() {
    // Nothing goes to the keyboard: a frame nobody sees is not computed.
    if (!GetLightPreview() || !PictureShown()) return;
    LightPass();
    ShowPreviews(BuildLightFrame(LedsSnapshot()).previews);
}

void CTalvorenKeyboardDevice::LoadProfile() {
    std::lock_guard lock(ModelLock());
    LoadProfileDocument();
    TakeProfileSection();
}

void CTalvorenKeyboardDevice::RestoreDefaults() {
    {
        std::lock_guard lock(ModelLock());
        profile_.SetTemplatePath(GetDefaultProfilePath());
        if (!profile_.ResetSectionToTemplate()) return;
        TakeProfileSection();
    }
    RefreshPage();
    SaveProfile();
    ApplyProfileToPage();
}

void CTalvorenKeyboardDevice::TakeProfileSection() {
    keys_ = KeyListOfDocument(profile_.ReadKeyList());
    system_ = KeyboardSystemSettings::FromWords(profile_.ReadKeyboardSystem());
    profile_.ReadLightInfo();
    ReloadMacroList();
    if (CopyLightFromProfile()) RestartLightMode();
}

void CTalvorenKeyboardDevice::ApplyProfileToPage() {
    UpdateKeyLabels();
    CTalvorenUSBDevice::ApplyProfileToPage();
}

void CTalvorenKeyboardDevice::CheckMacroAssignments() {
    std::lock_guard lock(ModelLock());
    if (!macroListReadable_) return;
    if (morvek::CheckMacroAssignments(keys_, static_cast<int>(macroNames_.size())) == 0) return;
    StoreKeyList();
    RefreshKeyLabels();
}

int CTalvorenKeyboardDevice::WriteKeyTable(int tableIndex, std::vector<KeyListEntry> keys) {
    CHidChannel& channel = CommandChannel();
    if (!channel.IsOpen()) return kResultNoAnswer;
    DeviceInfoRecord info;
    if (const int read = channel.ReadDeviceInfo(info); read != kResultSuccess) return read;
    std::vector<uint8_t> image;
    {
        std::lock_guard lock(ModelLock());
        image = layout_.KeyTableImage(keys);
    }
    // Without the table as read, unknown slots would be overwritten with zeros.
    if (image.empty() || image.size() != size_t{info.KeySlotCount()} * 3) return kResultRefused;
    channel.SetBlockSize(static_cast<uint16_t>(image.size()));
    const int written = channel.WriteKeyTable(image.data(), tableIndex);
    const int ended = channel.EndConfig();
    return written != kResultSuccess ? written : ended;
}

int CTalvorenKeyboardDevice::WriteKeyAssignments(int tableIndex) { return WriteKeyTable(tableIndex, KeyList()); }

int CTalvorenKeyboardDevice::DownloadMacros() {
    return morvek::DownloadMacros(CommandChannel(), GetUserDataFolder(), kKindKeyboard);
}

int CTalvorenKeyboardDevice::WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth,
                                           int screenHeight) {
    (void)secondValue;
    (void)screenWidth;
    (void)screenHeight;
    KeyboardSettingsBlock block;
    {
        std::lock_guard lock(ModelLock());
        const LightSettings light = LightSettingsFromWords(profile_.LightInfo());
        block = BuildKeyboardSettingsBlock(light, system_, static_cast<uint8_t>(firstValue));
    }
    return WriteKeyboardSettings(CommandChannel(), block, profileIndex);
}

void CTalvorenKeyboardDevice::ReloadMacroList() {
    const std::filesystem::path folder = GetUserDataFolder();
    const std::optional<std::vector<MacroInfo>> entries = MacroListFile(folder).ReadableEntries();
    std::vector<std::string> macros;
    for (const MacroInfo& entry : entries.value_or(std::vector<MacroInfo>{})) macros.push_back(entry.name);
    std::vector<LightEffectName> modes =
        ReadDefaultLightNames(readjsonFile(DefaultLightFile(GetDefaultDataFolder())), GetDeviceClassNumber())
            .value_or(std::vector<LightEffectName>{});
    std::lock_guard lock(ModelLock());
    macroNames_ = std::move(macros);
    macroListReadable_ = entries.has_value();
    lightModeNames_ = std::move(modes);
}

void CTalvorenKeyboardDevice::LoadProfileDocument() {
    const std::filesystem::path folder = GetUserDataFolder();
    const auto path = ProfileDocument(folder, ProfileName());
    std::lock_guard lock(ModelLock());
    profile_.SetTemplatePath(GetDefaultProfilePath());
    profile_.SetLightConfigPath(LightConfigFile(folder, kKindKeyboard));
    profile_.SetDocumentPath(path.value_or(std::filesystem::path{}));
    profile_.LoadDeviceSection(path.value_or(std::filesystem::path{}));
    profileDisplayName_ = profile_.DocumentName();
    NoteProfileLoad(profile_.LastLoad());
}

void CTalvorenKeyboardDevice::GetProfileName(std::string& name) const {
    std::lock_guard lock(ModelLock());
    name = profileDisplayName_;
}

void CTalvorenKeyboardDevice::SaveProfile() { SaveProfileDocument(); }

bool CTalvorenKeyboardDevice::SaveProfileDocument() {
    std::lock_guard lock(ModelLock());
    return profile_.Save();
}

void CTalvorenKeyboardDevice::SetLightSettings(int32_t mode, int32_t value, uint32_t colour) {
    std::lock_guard lock(ModelLock());
    CTalvorenUSBDevice::SetLightSettings(mode, value, colour);
    profile_.WriteLightInfo({static_cast<uint32_t>(mode), static_cast<uint32_t>(value), colour});
}

void CTalvorenKeyboardDevice::SelectKey(int keyIndex) {
    // The built-in keys keep their functions: they cannot be chosen for an assignment.
    if (keyIndex < 0 || keyIndex >= kKeyCount || IsBuiltInKey(keyIndex)) return;
    CTalvorenUSBDevice::SelectKey(keyIndex);
    // The view shows the selected key's entry in the key panel.
    CTalvorenUSBDevice::RefreshPage();
}

// ---- Keys ----------------------------------------------------------------------------------

int CTalvorenKeyboardDevice::ReadKeyLayout() {
    CHidChannel& channel = CommandChannel();
    if (!channel.IsOpen()) return kResultNoAnswer;
    DeviceInfoRecord info;
    if (const int read = channel.ReadDeviceInfo(info); read != kResultSuccess) return read;
    const int slots = info.KeySlotCount();
    const size_t tableBytes = size_t(slots) * 3;
    if (tableBytes > KeyLayout::kMaxKeyTableBytes) return kResultRefused;
    channel.SetBlockSize(static_cast<uint16_t>(tableBytes));
    std::vector<uint8_t> keyTable(KeyLayout::kMaxKeyTableBytes, 0);
    std::vector<uint8_t> ledTable(KeyLayout::kMaxKeyTableBytes, 0);
    const int keysRead = channel.ReadKeyTable(keyTable.data());
    const int ledsRead = keysRead == kResultSuccess ? channel.ReadKeyAttrTable(ledTable.data()) : keysRead;
    const int ended = channel.EndConfig();
    if (keysRead != kResultSuccess) return keysRead;
    if (ledsRead != kResultSuccess) return ledsRead;
    auto layout = KeyLayout::FromDeviceTables(std::span(keyTable).first(tableBytes),
                                              std::span(ledTable).first(size_t(slots)), slots);
    if (!layout) return kResultRefused;
    std::lock_guard lock(ModelLock());
    layout_ = std::move(*layout);
    return ended;
}

KeyAssignmentStatus CTalvorenKeyboardDevice::StoreKeyAssignment(const KeyListEntry& entry) {
    const int key = ActiveKey();
    if (key < 0 || key >= kKeyCount) return KeyAssignmentStatus::kNoKey;
    {
        std::lock_guard lock(ModelLock());
        keys_[size_t(key)] = entry;
        StoreKeyList();
    }
    RefreshKeyLabels();
    return KeyAssignmentStatus::kDone;
}

void CTalvorenKeyboardDevice::StoreKeyList() { profile_.WriteKeyList(keys_); }

void CTalvorenKeyboardDevice::UpdateKeyLabels() {
    std::lock_guard lock(ModelLock());
    labels_ = morvek::RefreshKeyLabels(keys_, macroNames_);
}

void CTalvorenKeyboardDevice::RefreshKeyLabels() {
    UpdateKeyLabels();
    CTalvorenUSBDevice::RefreshPage();
}

// ---- Light ---------------------------------------------------------------------------------

bool CTalvorenKeyboardDevice::CopyLightFromProfile() {
    const LightSettings stored = LightSettingsFromWords(profile_.LightInfo());
    std::lock_guard led(LedLock());
    const bool modeChanged = Light().Settings().mode != stored.mode;
    Light().Settings() = stored;
    return modeChanged;
}

void CTalvorenKeyboardDevice::RestartLightMode() {
    ResetLightEffects();
    StartLightMode(CurrentLight().mode);
}

int CTalvorenKeyboardDevice::ReadSettingsBlock() {
    KeyboardSettingsBlock block{};
    const int read = ReadKeyboardSettings(CommandChannel(), block);
    if (read != kResultSuccess) return read;
    bool modeChanged = false;
    {
        std::lock_guard lock(ModelLock());
        LightSettings light = LightSettingsFromWords(profile_.LightInfo());
        modeChanged = ApplyKeyboardSettingsBlock(block, light, system_);
        profile_.WriteLightInfo(LightInfoWordsFromSettings(light));
        profile_.WriteKeyboardSystem(system_.Words());
        profile_.Save();
        std::lock_guard led(LedLock());
        Light().Settings() = light;
    }
    if (modeChanged) RestartLightMode();
    ApplyProfileToPage();
    return kResultSuccess;
}

int CTalvorenKeyboardDevice::WriteLedColourTable() {
    LedColourTable table;
    {
        std::lock_guard lock(ModelLock());
        std::lock_guard led(LedLock());
        if (Light().Settings().mode != kKeyboardCustomLightMode) return kResultNoAnswer;
        table = BuildLedColourTable(Light().Leds(), layout_.LedMap());
    }
    return morvek::WriteLedColourTable(CommandChannel(), table);
}

bool CTalvorenKeyboardDevice::SelectCustomLightGroup(int group) {
    std::lock_guard lock(ModelLock());
    std::lock_guard led(LedLock());
    return CustomLightGroupEditor(profile_, Light()).Select(group);
}

void CTalvorenKeyboardDevice::LoadCustomLightGroup(ResultCallback done) {
    CustomLightUpdate update;
    {
        std::lock_guard lock(ModelLock());
        std::lock_guard led(LedLock());
        update = CustomLightGroupEditor(profile_, Light()).Load(layout_.LedMap());
    }
    PostColourTable(update.table, std::move(done));
}

void CTalvorenKeyboardDevice::FillCustomLightGroup(bool bright, ResultCallback done) {
    CustomLightUpdate update;
    {
        std::lock_guard lock(ModelLock());
        std::lock_guard led(LedLock());
        update = CustomLightGroupEditor(profile_, Light()).Fill(bright, Light().Settings().colour, layout_.LedMap());
    }
    PostColourTable(update.table, std::move(done));
    if (update.saveProfile) SaveProfile();
}

void CTalvorenKeyboardDevice::PaintKeyColour(int keyIndex, ResultCallback done) {
    PaintKeyColours(std::span<const int>(&keyIndex, 1), std::move(done));
}

void CTalvorenKeyboardDevice::PaintKeyColours(std::span<const int> keyIndexes, ResultCallback done) {
    CustomLightUpdate update;
    {
        std::lock_guard lock(ModelLock());
        std::lock_guard led(LedLock());
        CustomLightGroupEditor editor(profile_, Light());
        for (int key : keyIndexes) {
            CustomLightUpdate painted =
                editor.Paint(key, Light().Settings().colour, CommandChannel().IsWireless(), layout_.LedMap());
            if (painted.table) update.table = std::move(painted.table);
            update.saveProfile = update.saveProfile || painted.saveProfile;
        }
    }
    PostColourTable(update.table, std::move(done));
    if (update.saveProfile) SaveProfile();
}

void CTalvorenKeyboardDevice::PostColourTable(const std::optional<LedColourTable>& table, ResultCallback done) {
    if (!table) return;
    RunOnDevice([this, table = *table] { return morvek::WriteLedColourTable(CommandChannel(), table); },
                [done = std::move(done)](int result) {
                    if (done) done(result);
                });
}

void CTalvorenKeyboardDevice::PostWriteSettings(ResultCallback done) {
    RunOnDevice([this] { return WriteSettings(0, 0, 1, 0, 0); },
                [done = std::move(done)](int result) {
                    if (done) done(result);
                });
}

bool CTalvorenKeyboardDevice::StoreLight(const LightSettings& light) {
    const LightInfoWords words = LightInfoWordsFromSettings(light);
    SetLightSettings(static_cast<int32_t>(words[0]), static_cast<int32_t>(words[1]), words[2]);
    return SaveProfileDocument();
}

bool CTalvorenKeyboardDevice::ChangeSystemSettings(std::span<const SystemChange> changes, bool& saved,
                                                   ResultCallback done) {
    saved = false;
    bool written = false;
    {
        std::lock_guard lock(ModelLock());
        KeyboardSystemSettings changed = system_;
        for (const auto& [field, value] : changes) {
            if (!SetKeyboardSystemField(changed, field, value)) return false;
            written = written || IsWrittenToKeyboard(field);
        }
        system_ = changed;
        profile_.WriteKeyboardSystem(system_.Words());
        saved = SaveProfileDocument();
    }
    if (written) PostWriteSettings(std::move(done));
    return true;
}

// ---- Preview hooks ---------------------------------------------------------------------------

void CTalvorenKeyboardDevice::ResetLightEffects() {
    std::lock_guard led(LedLock());
    preview_.ResetEffects();
}

void CTalvorenKeyboardDevice::StartLightMode(uint8_t mode) {
    if (mode == kKeyboardCustomLightMode) LoadCustomLightGroup();
    std::lock_guard led(LedLock());
    preview_.StartMode(mode);
}

void CTalvorenKeyboardDevice::StartLightPreview() { lightThread_.Start(); }

void CTalvorenKeyboardDevice::OnDeviceKeyEvent(int slot, int phase) {
    std::lock_guard lock(ModelLock());
    std::lock_guard led(LedLock());
    preview_.OnDeviceKeyEvent(layout_.SlotMap(), slot, phase);
}

std::chrono::milliseconds CTalvorenKeyboardDevice::LightPass() {
    // The gate is looked at under the LED lock, as the pad does: once the synchronised lighting
    // has set the flag, no pass already under way paints over its LEDs.
    std::lock_guard led(LedLock());
    return preview_.Pass(previewClock_(), LightGateOf(CommandChannel()));
}

// ---- Reading ---------------------------------------------------------------------------------

LightSettings CTalvorenKeyboardDevice::CurrentLight() const {
    std::lock_guard led(LedLock());
    return Light().Settings();
}

LightModeFamily CTalvorenKeyboardDevice::ModeFamily() const { return FindDeviceKind(kKindKeyboard)->lightFamily; }

bool CTalvorenKeyboardDevice::OffersLightMode(uint8_t mode) const {
    return mode <= FindDeviceKind(kKindKeyboard)->lastLightMode;
}

KeyboardSystemSettings CTalvorenKeyboardDevice::SystemSettings() const {
    std::lock_guard lock(ModelLock());
    return system_;
}

std::vector<KeyListEntry> CTalvorenKeyboardDevice::KeyList() const {
    std::lock_guard lock(ModelLock());
    return keys_;
}

std::vector<KeyButtonLabel> CTalvorenKeyboardDevice::KeyLabels() const {
    std::lock_guard lock(ModelLock());
    return labels_;
}

KeyLayout CTalvorenKeyboardDevice::Layout() const {
    std::lock_guard lock(ModelLock());
    return layout_;
}

std::vector<std::string> CTalvorenKeyboardDevice::MacroNames() const {
    std::lock_guard lock(ModelLock());
    return macroNames_;
}

std::vector<LightEffectName> CTalvorenKeyboardDevice::LightModeNames() const {
    std::lock_guard lock(ModelLock());
    return lightModeNames_;
}

std::optional<int> CTalvorenKeyboardDevice::SelectedCustomLightGroup() const {
    std::lock_guard lock(ModelLock());
    const int group = profile_.GetCustomLightGroup();
    if (group < 0 || group >= CKeyboardProfiledata::kMaxCustomLightGroups) return std::nullopt;
    return group;
}

std::filesystem::path CTalvorenKeyboardDevice::ProfileDocumentPath() const {
    std::lock_guard lock(ModelLock());
    return profile_.GetDocumentPath();
}

}  // namespace morvek
