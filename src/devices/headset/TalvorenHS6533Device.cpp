#include "devices/headset/TalvorenHS6533Device.h"

#include "devicelink/DeviceKinds.h"
#include "profiles/JsonFile.h"

#include "devicelink/LightFrame.h"
#include "devices/headset/HeadsetLightFrame.h"
#include "devices/headset/HeadsetLightSteps.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "profiles/DefaultData.h"
#include "profiles/ProfileFiles.h"

namespace morvek {
namespace {

uint32_t MonotonicMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

CTalvorenHS6533Device::CTalvorenHS6533Device(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode,
                                             AudioLoader loadAudio, LightEngine::Clock flashClock)
    : CTalvorenUSBDevice(backend, ui, mode, std::move(flashClock)),
      loadAudio_(loadAudio ? std::move(loadAudio) : AudioLoader([] {
          return audio::LoadAudioLibrary(audio::AudioLibraryPath());
      })),
      headsetLight_(Light(), &StepHeadsetWave) {}

CTalvorenHS6533Device::~CTalvorenHS6533Device() {
    Shutdown();
    lightThread_.Stop();
}

void CTalvorenHS6533Device::InitDevicePage() {
    CTalvorenUSBDevice::InitDevicePage();
    std::lock_guard lock(ModelLock());
    if (audioInitialised_) return;
    audioInitialised_ = true;
    audio_.Initialise(loadAudio_(), [this](const std::string& message) {
        NotifyView([message](IDeviceView& view) { view.ShowMessage(message); });
    });
}

int CTalvorenHS6533Device::RefreshPage() {
    {
        std::scoped_lock lock(ModelLock(), LedLock());
        const LightSettings light = LightSettingsFromWords(profile_.LightInfo());
        Light().Settings() = light;
        head_.CopyLightSettings(light);
    }
    return CTalvorenUSBDevice::RefreshPage();
}

void CTalvorenHS6533Device::SendLedFrame() {
    if (!GetHostLightControl()) return;
    LightPass();
    const std::vector<LedEntry> leds = LedsSnapshot();
    ShowPreviews(BuildLightFrame(leds).previews);
    if (!IsCommandChannelOpen()) return;
    SendHeadsetFrameReports(CommandChannel(), BuildHeadsetFrameReports(leds));
}

void CTalvorenHS6533Device::ReadDeviceConfig() {
    LoadProfile();
    ReadAudioState();
    ApplyProfileToPage();
    lightThread_.Start();
}

void CTalvorenHS6533Device::ReadDeviceProfile() {
    int active = 0;
    ReadLightHead(active);
}

void CTalvorenHS6533Device::LoadProfile() {
    std::lock_guard lock(ModelLock());
    LoadProfileDocument();
    profile_.ReadLightInfo();
    profile_.LoadLightConfig();
    {
        std::lock_guard ledLock(LedLock());
        headsetLight_.SetEffectSequence(profile_.ReadLightEffect());
        headsetLight_.SetLedRecords(profile_.ReadLightList());
    }
    sound_.Load();
}

void CTalvorenHS6533Device::ApplyProfileToPage() {
    {
        std::lock_guard lock(ModelLock());
        sound_.ShowProfile();
    }
    RefreshPage();
}

int CTalvorenHS6533Device::WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth,
                                         int screenHeight) {
    (void)firstValue;
    (void)secondValue;
    (void)screenWidth;
    (void)screenHeight;
    HeadsetLightHead head;
    {
        std::lock_guard lock(ModelLock());
        head_.CopyLightSettings(LightSettingsFromWords(profile_.LightInfo()));
        head = head_;
    }
    return WriteHeadsetLightHead(CommandChannel(), head, profileIndex);
}

void CTalvorenHS6533Device::ReloadMacroList() {
    auto names = ReadDefaultLightNames(readjsonFile(DefaultLightFile(GetDefaultDataFolder())), GetDeviceClassNumber());
    if (!names) return;
    std::lock_guard lock(ModelLock());
    lightModeNames_ = std::move(*names);
}

void CTalvorenHS6533Device::LoadProfileDocument() {
    std::lock_guard lock(ModelLock());
    profile_.SetTemplatePath(GetDefaultProfilePath());
    const auto document = ProfileDocument(GetUserDataFolder(), ProfileName());
    profile_.SetDocumentPath(document.value_or(std::filesystem::path()));
    profile_.SetLightConfigPath(LightConfigFile(GetUserDataFolder(), kKindHeadset));
    profile_.LoadDeviceSection(profile_.GetDocumentPath());
    NoteProfileLoad(profile_.LastLoad());
}

void CTalvorenHS6533Device::SaveProfile() {
    std::lock_guard lock(ModelLock());
    profile_.Save();
}

void CTalvorenHS6533Device::ReadAudioState() {
    std::lock_guard lock(ModelLock());
    if (!audio_.Active()) return;
    sound_.TakeAudioState(audio_.ReadState());
    surround_ = audio_.ReadSurround(surround_);
}

int CTalvorenHS6533Device::ReadLightHead(int& activeProfile) {
    HeadsetLightHead head;
    {
        std::lock_guard lock(ModelLock());
        head = head_;
    }
    const int result = ReadHeadsetLightHead(CommandChannel(), head);
    if (result != kResultSuccess) return result;
    std::lock_guard lock(ModelLock());
    head_ = head;
    activeProfile = head.ActiveProfile();
    activeProfile_ = activeProfile;
    return result;
}

std::optional<int> CTalvorenHS6533Device::ActiveDeviceProfile() const {
    std::lock_guard lock(ModelLock());
    return activeProfile_;
}

HeadsetChange CTalvorenHS6533Device::Finish(bool applied, bool save) {
    if (!applied) return HeadsetChange::BadValue;
    bool saved = true;
    if (save) {
        std::lock_guard lock(ModelLock());
        saved = profile_.Save();
    }
    CTalvorenUSBDevice::RefreshPage();
    return saved ? HeadsetChange::Done : HeadsetChange::NotSaved;
}

HeadsetChange CTalvorenHS6533Device::RunEvent(const std::function<bool(HeadsetSoundSettings&)>& event, bool save) {
    bool applied = false;
    {
        std::lock_guard lock(ModelLock());
        applied = event(sound_);
    }
    return Finish(applied, save);
}

HeadsetChange CTalvorenHS6533Device::SelectEqPreset(int preset) {
    return RunEvent([preset](HeadsetSoundSettings& s) { return s.SelectPreset(preset); }, true);
}

HeadsetChange CTalvorenHS6533Device::SelectUserEqOption() {
    // Saved only when a user equaliser is chosen and applied.
    bool chosen = false;
    {
        std::lock_guard lock(ModelLock());
        sound_.SelectUserEqOption();
        chosen = sound_.Panel().customSelection >= 0;
    }
    return Finish(true, chosen);
}

HeadsetChange CTalvorenHS6533Device::MoveBandSlider(int band, int value) {
    return RunEvent([band, value](HeadsetSoundSettings& s) { return s.MoveBand(band, value); }, false);
}

HeadsetChange CTalvorenHS6533Device::ChooseUserEq(int index) {
    return RunEvent([index](HeadsetSoundSettings& s) { return s.ChooseUserEq(index); }, true);
}

HeadsetChange CTalvorenHS6533Device::ToggleMicrophone() {
    return RunEvent([](HeadsetSoundSettings& s) { return s.ToggleMicrophone(); }, true);
}

HeadsetChange CTalvorenHS6533Device::SetMicrophoneLevel(int level) {
    return RunEvent([level](HeadsetSoundSettings& s) { return s.SetMicrophoneLevel(level); }, true);
}

HeadsetChange CTalvorenHS6533Device::ToggleMonitor() {
    return RunEvent([](HeadsetSoundSettings& s) { return s.ToggleMonitor(); }, true);
}

HeadsetChange CTalvorenHS6533Device::SetMonitorLevel(int level) {
    return RunEvent([level](HeadsetSoundSettings& s) { return s.SetMonitorLevel(level); }, true);
}

HeadsetChange CTalvorenHS6533Device::SetVoiceChanger(bool on) {
    return RunEvent([on](HeadsetSoundSettings& s) { return s.SetVoiceChanger(on); }, true);
}

HeadsetChange CTalvorenHS6533Device::SelectVoice(int voice) {
    return RunEvent([voice](HeadsetSoundSettings& s) { return s.SelectVoice(voice); }, true);
}

EqSaveResult CTalvorenHS6533Device::SaveUserEq(const std::string& name, bool* saved) {
    EqSaveResult result = EqSaveResult::Refused;
    {
        std::lock_guard lock(ModelLock());
        result = sound_.SaveUserEq(name);
    }
    const HeadsetChange change = Finish(result == EqSaveResult::Saved, result == EqSaveResult::Saved);
    if (saved != nullptr) *saved = change == HeadsetChange::Done;
    return result;
}

HeadsetChange CTalvorenHS6533Device::DeleteUserEq() {
    return RunEvent([](HeadsetSoundSettings& s) { return s.DeleteUserEq(); }, true);
}

HeadsetChange CTalvorenHS6533Device::ChangeSurround(
    const std::function<bool(HeadsetSurround&)>& change,
    const std::function<void(const HeadsetAudio&, const HeadsetSurround&)>& write) {
    {
        std::lock_guard lock(ModelLock());
        HeadsetSurround next = surround_;
        if (!change(next)) return HeadsetChange::BadValue;
        surround_ = next;
        write(audio_, surround_);
    }
    CTalvorenUSBDevice::RefreshPage();
    return HeadsetChange::Done;
}

HeadsetChange CTalvorenHS6533Device::SetSurround(bool on) {
    return ChangeSurround(
        [on](HeadsetSurround& s) {
            s.surroundOn = on;
            return true;
        },
        [](const HeadsetAudio& a, const HeadsetSurround& s) { a.WriteSurround(s.surroundOn); });
}

HeadsetChange CTalvorenHS6533Device::SetRoomEffect(bool on) {
    return ChangeSurround(
        [on](HeadsetSurround& s) {
            s.roomOn = on;
            return true;
        },
        [](const HeadsetAudio& a, const HeadsetSurround& s) { a.WriteRoomEffect(s.roomOn); });
}

HeadsetChange CTalvorenHS6533Device::SetEnvironment(int environment) {
    return ChangeSurround(
        [environment](HeadsetSurround& s) {
            if (environment < 0 || environment >= kSurroundEnvironmentCount) return false;
            s.environment = environment;
            return true;
        },
        [](const HeadsetAudio& a, const HeadsetSurround& s) { a.WriteEnvironment(s.environment); });
}

HeadsetChange CTalvorenHS6533Device::SetRoomSize(int size) {
    return ChangeSurround(
        [size](HeadsetSurround& s) {
            if (size < 0 || size > kMaxRoomSize) return false;
            s.roomSize = size;
            return true;
        },
        [](const HeadsetAudio& a, const HeadsetSurround& s) { a.WriteRoomSize(s.roomSize); });
}

bool CTalvorenHS6533Device::StoreLight(const LightSettings& light) {
    profile_.WriteLightInfo(LightInfoWordsFromSettings(light));
    return profile_.Save();
}

bool CTalvorenHS6533Device::AudioActive() const {
    std::lock_guard lock(ModelLock());
    return audio_.Active();
}

bool CTalvorenHS6533Device::HasVoiceChanger() const {
    std::lock_guard lock(ModelLock());
    return audio_.Binding().HasVoiceChanger();
}

HeadsetSystemValues CTalvorenHS6533Device::Words() const {
    std::lock_guard lock(ModelLock());
    return sound_.Words();
}

EqBandValues CTalvorenHS6533Device::Bands() const {
    std::lock_guard lock(ModelLock());
    return sound_.Bands();
}

std::vector<std::string> CTalvorenHS6533Device::UserEqNames() const {
    std::lock_guard lock(ModelLock());
    return sound_.Names();
}

HeadsetPanel CTalvorenHS6533Device::Panel() const {
    std::lock_guard lock(ModelLock());
    return sound_.Panel();
}

HeadsetSurround CTalvorenHS6533Device::Surround() const {
    std::lock_guard lock(ModelLock());
    return surround_;
}

bool CTalvorenHS6533Device::MicrophoneMuted() const {
    std::lock_guard lock(ModelLock());
    return sound_.MicrophoneMuted();
}

bool CTalvorenHS6533Device::MonitorMuted() const {
    std::lock_guard lock(ModelLock());
    return sound_.MonitorMuted();
}

bool CTalvorenHS6533Device::LibraryTookLastChange() const {
    std::lock_guard lock(ModelLock());
    return sound_.LibraryTookLastEvent();
}

LightSettings CTalvorenHS6533Device::CurrentLight() const {
    std::lock_guard lock(LedLock());
    return Light().Settings();
}

std::vector<LightEffectName> CTalvorenHS6533Device::LightModeNames() const {
    std::lock_guard lock(ModelLock());
    return lightModeNames_;
}

LightModeFamily CTalvorenHS6533Device::ModeFamily() const { return FindDeviceKind(kKindHeadset)->lightFamily; }

bool CTalvorenHS6533Device::OffersLightMode(uint8_t mode) const {
    return mode <= FindDeviceKind(kKindHeadset)->lastLightMode;
}

HeadsetLightHead CTalvorenHS6533Device::LightHead() const {
    std::lock_guard lock(ModelLock());
    return head_;
}

std::chrono::milliseconds CTalvorenHS6533Device::LightPass() {
    // The synchronised flag is looked at under the LED lock, as the pad does: once it is set,
    // whoever paints the LEDs next is not overwritten by a pass already under way.
    std::lock_guard lock(LedLock());
    return headsetLight_.Pass(MonotonicMilliseconds(), LightGateOf(CommandChannel()));
}

}  // namespace morvek
