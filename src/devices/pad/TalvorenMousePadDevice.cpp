#include "devices/pad/TalvorenMousePadDevice.h"

#include "devicelink/DeviceKinds.h"

#include "devices/lighting/KeyboardLightSettings.h"
#include "profiles/DefaultData.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"

namespace morvek {

CTalvorenMousePadDevice::CTalvorenMousePadDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode,
                                                 LightEngine::Clock flashClock)
    : CTalvorenUSBDevice(backend, ui, mode, std::move(flashClock)),
      padLight_(Light()),
      lightThread_([this] { return RunLightPass(); }) {}

CTalvorenMousePadDevice::~CTalvorenMousePadDevice() {
    lightThread_.Stop();
    Shutdown();
}

void CTalvorenMousePadDevice::CopyLightIntoModel(const LightSettings& light) {
    {
        std::lock_guard lock(ModelLock());
        light_ = light;
        block_.CopyLightSettings(light);
    }
    {
        std::lock_guard lock(LedLock());
        Light().Settings() = light;
    }
    lightThread_.Wake();
}

int CTalvorenMousePadDevice::RefreshPage() {
    LightSettings light;
    std::vector<LedRecord> records;
    std::vector<LightEffectStep> sequence;
    {
        std::lock_guard lock(ModelLock());
        light = LightSettingsFromWords(profile_.ReadLightInfo());
        records = profile_.ReadLightList();
        profile_.LoadLightConfig();
        sequence = profile_.ReadLightEffect();
    }
    {
        std::lock_guard lock(LedLock());
        padLight_.SetLedRecords(std::move(records));
        padLight_.SetEffectSequence(std::move(sequence));
    }
    CopyLightIntoModel(light);
    const LightInfoWords words = LightInfoWordsFromSettings(light);
    CTalvorenUSBDevice::SetLightSettings(static_cast<int32_t>(words[0]), static_cast<int32_t>(words[1]), words[2]);
    return CTalvorenUSBDevice::RefreshPage();
}

void CTalvorenMousePadDevice::ReadDeviceConfig() {
    CHidChannel& channel = CommandChannel();
    if (channel.IsOpen()) {
        DeviceInfoRecord info;
        int result = channel.BeginConfig();
        if (result == kResultSuccess) result = channel.ReadDeviceInfo(info);
        channel.EndConfig();
        if (result == kResultSuccess) {
            std::lock_guard lock(ModelLock());
            info_ = info;
        }
    }
    LoadProfile();
    ApplyProfileToPage();
    lightThread_.Start();
}

void CTalvorenMousePadDevice::ReadDeviceProfile() { ReadSettingsBlock(); }

int CTalvorenMousePadDevice::ReadSettingsBlock() {
    CommandChannel().SetSynchronised(false);
    if (!CommandChannel().IsOpen()) return kResultNoAnswer;
    MousePadSettingsBlock block = SettingsBlock();
    const int result = ReadMousePadSettings(CommandChannel(), block);
    if (result != kResultSuccess) return result;
    std::lock_guard lock(ModelLock());
    block_ = block;
    return result;
}

void CTalvorenMousePadDevice::LoadProfile() {
    LoadProfileDocument();
    RefreshPage();
}

void CTalvorenMousePadDevice::ApplyProfileToPage() {
    ReloadMacroList();
    CTalvorenUSBDevice::ApplyProfileToPage();
}

void CTalvorenMousePadDevice::RestoreDefaults() {
    {
        std::lock_guard lock(ModelLock());
        if (!profile_.ResetSectionToTemplate()) return;
    }
    RefreshPage();
    SaveProfile();
    ApplyProfileToPage();
}

int CTalvorenMousePadDevice::WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth,
                                           int screenHeight) {
    (void)firstValue;
    (void)secondValue;
    (void)screenWidth;
    (void)screenHeight;
    return WriteMousePadSettings(CommandChannel(), SettingsBlock(), profileIndex);
}

void CTalvorenMousePadDevice::ReloadMacroList() {
    const Json::Value defaultLight = readjsonFile(DefaultLightFile(GetDefaultDataFolder()));
    auto names = ReadDefaultLightNames(defaultLight, GetDeviceClassNumber());
    if (!names) return;
    std::lock_guard lock(ModelLock());
    modeNames_ = std::move(*names);
}

void CTalvorenMousePadDevice::LoadProfileDocument() {
    const std::filesystem::path folder = GetUserDataFolder();
    const auto document = ProfileDocument(folder, ProfileName());
    std::lock_guard lock(ModelLock());
    profile_.SetTemplatePath(GetDefaultProfilePath());
    profile_.SetDocumentPath(document.value_or(std::filesystem::path()));
    profile_.SetLightConfigPath(LightConfigFile(folder, kKindMousePad));
    profile_.LoadDeviceSection(profile_.GetDocumentPath());
    profileDisplayName_ = profile_.DocumentName();
    NoteProfileLoad(profile_.LastLoad());
}

void CTalvorenMousePadDevice::GetProfileName(std::string& name) const {
    std::lock_guard lock(ModelLock());
    name = profileDisplayName_;
}

void CTalvorenMousePadDevice::SaveProfile() {
    std::lock_guard lock(ModelLock());
    lastSave_ = profile_.Save();
}

void CTalvorenMousePadDevice::SetLightSettings(int32_t mode, int32_t value, uint32_t colour) {
    CTalvorenUSBDevice::SetLightSettings(mode, value, colour);
    std::lock_guard lock(ModelLock());
    profile_.WriteLightInfo({static_cast<uint32_t>(mode), static_cast<uint32_t>(value), colour});
}

bool CTalvorenMousePadDevice::StoreLight(const LightSettings& light) {
    const LightInfoWords words = LightInfoWordsFromSettings(light);
    SetLightSettings(static_cast<int32_t>(words[0]), static_cast<int32_t>(words[1]), words[2]);
    SaveProfile();
    return LastSaveSucceeded();
}

LightModeFamily CTalvorenMousePadDevice::ModeFamily() const { return FindDeviceKind(kKindMousePad)->lightFamily; }

bool CTalvorenMousePadDevice::OffersLightMode(uint8_t mode) const {
    return mode <= FindDeviceKind(kKindMousePad)->lastLightMode;
}

LightSettings CTalvorenMousePadDevice::CurrentLight() const {
    std::lock_guard lock(ModelLock());
    return light_;
}

MousePadSettingsBlock CTalvorenMousePadDevice::SettingsBlock() const {
    std::lock_guard lock(ModelLock());
    return block_;
}

std::optional<DeviceInfoRecord> CTalvorenMousePadDevice::LastDeviceInfo() const {
    std::lock_guard lock(ModelLock());
    return info_;
}

bool CTalvorenMousePadDevice::LastSaveSucceeded() const {
    std::lock_guard lock(ModelLock());
    return lastSave_;
}

std::vector<LightEffectName> CTalvorenMousePadDevice::LightModeNames() const {
    std::lock_guard lock(ModelLock());
    return modeNames_;
}

void CTalvorenMousePadDevice::AdvanceLight() { RunLightPass(); }

std::chrono::milliseconds CTalvorenMousePadDevice::RunLightPass() {
    const auto nowMs = static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                 std::chrono::steady_clock::now().time_since_epoch())
                                                 .count());
    // The synchronised flag is looked at under the LED lock: once it is set, whoever paints
    // the LEDs next is not overwritten by a pass that was already under way.
    std::lock_guard lock(LedLock());
    return padLight_.Pass(nowMs, LightGateOf(CommandChannel()));
}

}  // namespace morvek
