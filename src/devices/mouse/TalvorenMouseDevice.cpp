#include "devices/mouse/TalvorenMouseDevice.h"

#include <algorithm>
#include <span>

#include "devicelink/DeviceKinds.h"
#include "devices/keys/KeyMacroCheck.h"
#include "macros/LinkCheck.h"
#include "macros/MacroDownload.h"
#include "macros/MacroListFile.h"
#include "macros/ShootImage.h"
#include "profiles/ProfileFiles.h"

namespace morvek {
namespace {

constexpr size_t kKeySlotBytes = 3;
constexpr uint32_t kHalf = 0xFFFF;

uint32_t WithLow(uint32_t word, uint16_t low) { return (word & ~kHalf) | low; }
uint32_t WithHigh(uint32_t word, uint16_t high) { return (word & kHalf) | uint32_t{high} << 16; }

}  // namespace

CTalvorenMouseDevice::CTalvorenMouseDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode,
                                           LightEngine::Clock flashClock)
    : CTalvorenUSBDevice(backend, ui, mode, std::move(flashClock)),
      preview_({[this] { return IsCommandChannelOpen(); },
                [this] {
                    const MouseLightRecord light = LightRecord();
                    return MouseStepInterval(light.Effect(), light.Speed());
                },
                [this] { StepLightPreview(); }}) {}

CTalvorenMouseDevice::~CTalvorenMouseDevice() {
    preview_.Stop();
    Shutdown();
}

// ---- Virtual operations --------------------------------------------------------------------

int CTalvorenMouseDevice::RefreshPage() {
    bool effectChanged = false;
    {
        std::lock_guard lock(ModelLock());
        const MouseLightRecord light = MouseLightRecord::FromLightInfo(profile_.LightInfo());
        effectChanged = !lightShown_ || light.Effect() != light_.Effect();
        light_ = light;
        lightShown_ = true;
        dpiPage_.Show(stages_, currentStage_, info_ ? info_->DpiStep() : 0);
        std::vector<LightEffectStep> sequence = LoadCustomLightMode(light);
        std::lock_guard ledLock(LedLock());
        Light().Settings() = light.ToLightSettings();
        if (effectChanged) {
            Light().ClearLeds();
            Light().ClearEffectBuffers();
            Light().SetPhase(0);
            Light().SetColourIndex(0);
            customPlayer_ = LightEffectPlayer();
        }
        customPlayer_.SetSequence(std::move(sequence));
    }
    if (effectChanged) preview_.Restart();
    return CTalvorenUSBDevice::RefreshPage();
}

void CTalvorenMouseDevice::ReadDeviceConfig() {
    CHidChannel& channel = CommandChannel();
    if (!channel.IsOpen() || !LinkReady(channel)) return;
    if (channel.BeginConfig() != kResultSuccess) return;
    DeviceInfoRecord info;
    if (!LinkReady(channel) || channel.ReadDeviceInfo(info) != kResultSuccess) return EndSession();
    const size_t tableBytes = kKeySlotBytes * info.KeySlotCount();
    if (!channel.SetBlockSize(static_cast<uint16_t>(tableBytes))) return EndSession();
    std::vector<uint8_t> table(CHidChannel::kMaxBlockSize, 0);
    if (!LinkReady(channel) || channel.ReadKeyTable(table.data()) != kResultSuccess) return EndSession();
    EndSession();

    const MouseButtonMap map = MouseButtonMap::FromKeyTable(std::span(table).first(tableBytes), info.KeySlotCount());
    {
        std::lock_guard lock(ModelLock());
        info_ = info;
        keyTable_ = std::move(table);
        buttonMap_ = map;
    }
    SetKeyIndexMap(map.AsKeyIndexMap());
    LoadProfile();
    RefreshPage();
    StartLightPreview();
}

void CTalvorenMouseDevice::ReadDeviceProfile() {
    uint8_t active = 0;
    SyncFromDevice(active);
}

int CTalvorenMouseDevice::SyncFromDevice(uint8_t& activeProfile) {
    const int read = ReadDeviceProfileBlock(activeProfile);
    if (read != kResultSuccess) return read;
    {
        std::lock_guard lock(ModelLock());
        light_ = MouseSettingBlock::LightFrom(*lastBlock_, light_, CommandChannel().IsWireless());
        currentStage_ = MouseSettingBlock::CurrentStageFrom(*lastBlock_);
        profile_.SetCurrentDpiStage(currentStage_);
        profile_.WriteLightInfo(light_.ToLightInfo(profile_.LightInfo()));
        lightShown_ = false;  // the preview starts the device's effect afresh
        profile_.Save();
    }
    RefreshPage();
    return kResultSuccess;
}

int CTalvorenMouseDevice::ReadDeviceProfileBlock(uint8_t& activeProfile) {
    CHidChannel& channel = CommandChannel();
    if (!channel.IsOpen()) {
        // The mouse is away: the block last read stands for it.
        std::lock_guard lock(ModelLock());
        if (!lastBlock_) return kResultNoAnswer;
        activeProfile = lastActive_;
        return kResultSuccess;
    }
    MouseSettingBlock::ReadBytes block{};
    uint8_t active = 0;
    const int result = ReadMouseSettings(channel, block, active);
    if (result != kResultSuccess) return result;
    std::lock_guard lock(ModelLock());
    lastBlock_ = block;
    lastActive_ = active;
    if (screenWidth_ == 0 && screenHeight_ == 0) {
        // No screen known here: keep the one the mouse holds.
        const auto [width, height] = MouseSettingBlock::ScreenSizeFrom(block);
        screenWidth_ = width;
        screenHeight_ = height;
    }
    activeProfile = active;
    return kResultSuccess;
}

void CTalvorenMouseDevice::LoadProfile() {
    LoadProfileDocument();
    TakeProfileSection();
}

void CTalvorenMouseDevice::TakeProfileSection() {
    {
        std::lock_guard lock(ModelLock());
        stages_ = profile_.ReadDpiStages();
        currentStage_ = profile_.GetCurrentDpiStage();
        system_ = profile_.ReadMouseSystem();
        corrections_ = profile_.ReadCorrections();
        profile_.ReadLightInfo();
        keys_ = profile_.ReadKeyList();
    }
    // The names the page shows with the profile (macros, light effects, custom light modes)
    // as the folders hold them now.
    ReloadMacroList();
}

void CTalvorenMouseDevice::ApplyProfileToPage() { RefreshPage(); }

void CTalvorenMouseDevice::CheckMacroAssignments() {
    // A damaged list says nothing about which macros exist: the keys stay as they are.
    const auto macros = MacroListFile(GetUserDataFolder()).ReadableEntries();
    if (!macros) return;
    std::lock_guard lock(ModelLock());
    if (morvek::CheckMacroAssignments(keys_, static_cast<int>(macros->size())) == 0) return;
    profile_.WriteKeyList(keys_);
    profile_.Save();
    CTalvorenUSBDevice::RefreshPage();
}

void CTalvorenMouseDevice::RestoreDefaults() {
    {
        std::lock_guard lock(ModelLock());
        profile_.SetTemplatePath(GetDefaultProfilePath());
        if (!profile_.ResetSectionToTemplate()) return;
    }
    TakeProfileSection();
    RefreshPage();
    SaveProfile();
    ApplyProfileToPage();
}

int CTalvorenMouseDevice::WriteKeyTable(int tableIndex, std::vector<KeyListEntry> keys) {
    CHidChannel& channel = CommandChannel();
    if (!channel.IsOpen() || !LinkReady(channel)) return kResultNoAnswer;
    DeviceInfoRecord info;
    const int read = channel.ReadDeviceInfo(info);
    if (read != kResultSuccess) return read;
    std::vector<uint8_t> image;
    {
        std::lock_guard lock(ModelLock());
        // Without the table the mouse reported, a write would wipe every slot it holds.
        if (keyTable_.empty()) return kResultRefused;
        image = MouseKeyTableImage(keyTable_, buttonMap_, keys);
    }
    if (!LinkReady(channel)) return kResultNoAnswer;
    const int begun = channel.BeginConfig();
    if (begun != kResultSuccess) return begun;
    if (!LinkReady(channel)) return kResultNoAnswer;
    const int written = channel.WriteKeyTable(image.data(), tableIndex);
    if (!LinkReady(channel)) return kResultNoAnswer;
    const int ended = channel.EndConfig();
    return written != kResultSuccess ? written : ended;
}

int CTalvorenMouseDevice::WriteKeyAssignments(int tableIndex) { return WriteKeyTable(tableIndex, KeyList()); }

int CTalvorenMouseDevice::DownloadMacros() {
    return morvek::DownloadMacros(CommandChannel(), GetUserDataFolder(), Kind());
}

int CTalvorenMouseDevice::WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth,
                                        int screenHeight) {
    MouseSettingInputs inputs;
    {
        std::lock_guard lock(ModelLock());
        inputs.stages = stages_;
        inputs.currentStage = static_cast<uint8_t>(currentStage_);
        inputs.pollingIndex = static_cast<uint8_t>(system_[2] >> 16);
        inputs.light = light_;
        inputs.corrections = corrections_;
    }
    inputs.activeProfileValue = static_cast<uint8_t>(firstValue);
    inputs.constantValue = static_cast<uint8_t>(secondValue);
    inputs.screenWidth = static_cast<uint16_t>(screenWidth);
    inputs.screenHeight = static_cast<uint16_t>(screenHeight);
    if (inputs.screenWidth == 0 && inputs.screenHeight == 0) {
        std::lock_guard lock(ModelLock());
        inputs.screenWidth = screenWidth_;
        inputs.screenHeight = screenHeight_;
    }
    CHidChannel& channel = CommandChannel();
    return WriteMouseSettings(channel, MouseSettingBlock::Build(inputs, channel.IsWireless()), profileIndex);
}

void CTalvorenMouseDevice::ReloadMacroList() {
    PageNameLists names;
    {
        std::lock_guard lock(ModelLock());
        names = names_;
    }
    names.Load(Kind(), GetUserDataFolder(), GetDefaultDataFolder());
    std::lock_guard lock(ModelLock());
    names_ = std::move(names);
}

void CTalvorenMouseDevice::LoadProfileDocument() {
    const std::filesystem::path folder = GetUserDataFolder();
    const std::filesystem::path document = ProfileDocument(folder, ProfileName()).value_or(std::filesystem::path());
    const std::filesystem::path templatePath = GetDefaultProfilePath();
    std::lock_guard lock(ModelLock());
    profile_.SetTemplatePath(templatePath);
    profile_.SetDocumentPath(document);
    profile_.SetLightConfigPath(LightConfigFile(folder, kKindMouse));
    profile_.LoadDeviceSection(document);
    profileDisplayName_ = profile_.DocumentName();
    NoteProfileLoad(profile_.LastLoad());
}

void CTalvorenMouseDevice::GetProfileName(std::string& name) const {
    std::lock_guard lock(ModelLock());
    name = profileDisplayName_;
}

void CTalvorenMouseDevice::SaveProfile() { SaveProfileDocument(); }

bool CTalvorenMouseDevice::SaveProfileDocument() {
    std::lock_guard lock(ModelLock());
    return profile_.Save();
}

void CTalvorenMouseDevice::SelectKey(int keyIndex) {
    {
        std::lock_guard lock(ModelLock());
        if (keyIndex < 0 || size_t(keyIndex) >= std::min(keys_.size(), MouseButtonMap::kButtonCount)) return;
    }
    CTalvorenUSBDevice::SelectKey(keyIndex);
    // The view shows the selected button's entry in the key panel.
    CTalvorenUSBDevice::RefreshPage();
}

// ---- Mouse operations ------------------------------------------------------------------------

KeyAssignmentStatus CTalvorenMouseDevice::StoreKeyAssignment(const KeyListEntry& entry) {
    const size_t macroCount = MacroListFile(GetUserDataFolder()).Entries().size();
    const int button = ActiveKey();
    {
        std::lock_guard lock(ModelLock());
        if (button < 0 || size_t(button) >= std::min(keys_.size(), MouseButtonMap::kButtonCount))
            return KeyAssignmentStatus::kNoKey;
        KeyListEntry& held = keys_[size_t(button)];
        const KeyAssignmentStatus status = CheckMouseAssignment(entry.current, held.defaults, macroCount);
        if (status != KeyAssignmentStatus::kDone) return status;
        held.current = entry.current;
        profile_.WriteKeyList(keys_);
    }
    CTalvorenUSBDevice::RefreshPage();
    return KeyAssignmentStatus::kDone;
}

std::vector<std::string> CTalvorenMouseDevice::MacroNames() const {
    std::lock_guard lock(ModelLock());
    return names_.macroNames;
}

int CTalvorenMouseDevice::DownloadShootPatterns() {
    return morvek::DownloadShootPatterns(CommandChannel(), GetUserDataFolder());
}

void CTalvorenMouseDevice::SetScreenSize(uint16_t width, uint16_t height) {
    std::lock_guard lock(ModelLock());
    screenWidth_ = width;
    screenHeight_ = height;
}

MouseEditStatus CTalvorenMouseDevice::SetStageEnabled(int stage, bool on, WriteDone done) {
    if (stage < 0 || stage >= kMouseStageCount) return MouseEditStatus::kBadStage;
    {
        std::lock_guard lock(ModelLock());
        dpiPage_.SetEnabled(stage, on);
        GrowStages(stage);
        stages_[size_t(stage)].enable = on ? 1 : 0;
        if (!on) {
            currentStage_ = CurrentStageAfterDisabling(stages_, currentStage_, stage);
            profile_.SetCurrentDpiStage(currentStage_);
        }
    }
    return StoreAndWrite(std::move(done));
}

MouseEditStatus CTalvorenMouseDevice::SetStageSlider(int stage, int value, WriteDone done) {
    const MouseEditStatus moved = MoveStageSlider(stage, value);
    if (moved != MouseEditStatus::kDone) return moved;
    {
        std::lock_guard lock(ModelLock());
        GrowStages(stage);
        stages_[size_t(stage)].dpiX = static_cast<uint16_t>(value);
    }
    return StoreAndWrite(std::move(done));
}

MouseEditStatus CTalvorenMouseDevice::MoveStageSlider(int stage, int value) {
    if (stage < 0 || stage >= kMouseStageCount) return MouseEditStatus::kBadStage;
    std::lock_guard lock(ModelLock());
    const uint16_t top = info_ && info_->MaxDpiSlider() != 0 ? info_->MaxDpiSlider() : uint16_t{0xFFFF};
    if (value < 0 || value > top) return MouseEditStatus::kBadValue;
    dpiPage_.ShowValue(stage, static_cast<uint16_t>(value), info_ ? info_->DpiStep() : 0);
    return MouseEditStatus::kDone;
}

MouseEditStatus CTalvorenMouseDevice::CommitStageEdit(int stage, std::string_view text, WriteDone done) {
    if (stage < 0 || stage >= kMouseStageCount) return MouseEditStatus::kBadStage;
    {
        std::lock_guard lock(ModelLock());
        if (!info_) return MouseEditStatus::kNoDeviceFacts;
        const MouseDpiFacts facts = MouseDpiFacts::From(*info_);
        const std::optional<uint16_t> value = DpiStepsFromText(text, facts);
        if (!value) return MouseEditStatus::kZeroDpiStep;
        dpiPage_.ShowValue(stage, *value, facts.step);
        GrowStages(stage);
        stages_[size_t(stage)].dpiX = *value;
    }
    return StoreAndWrite(std::move(done));
}

MouseEditStatus CTalvorenMouseDevice::SelectPollingOption(int option, WriteDone done) {
    if (option < 0 || option >= kMousePollingOptionCount) return MouseEditStatus::kBadValue;
    {
        std::lock_guard lock(ModelLock());
        system_[2] = WithHigh(system_[2], static_cast<uint16_t>(option));
    }
    return StoreAndWrite(std::move(done));
}

MouseEditStatus CTalvorenMouseDevice::SetPointerSpeed(uint16_t value) {
    MouseSystemWords words = SystemWords();
    words[0] = WithHigh(words[0], value);
    return StoreSystem(words);
}

MouseEditStatus CTalvorenMouseDevice::SetDoubleClickTime(uint16_t value) {
    MouseSystemWords words = SystemWords();
    words[0] = WithLow(words[0], value);
    return StoreSystem(words);
}

MouseEditStatus CTalvorenMouseDevice::SetPointerPrecision(bool on) {
    MouseSystemWords words = SystemWords();
    words[1] = WithLow(words[1], on ? 1 : 0);
    return StoreSystem(words);
}

MouseEditStatus CTalvorenMouseDevice::SetScrollPage(bool on, uint16_t scrollLines) {
    MouseSystemWords words = SystemWords();
    words[1] = WithHigh(words[1], on ? 1 : 0);
    words[2] = WithLow(words[2], scrollLines);
    return StoreSystem(words);
}

MouseEditStatus CTalvorenMouseDevice::SetScrollLines(uint16_t value) {
    MouseSystemWords words = SystemWords();
    words[1] = WithHigh(words[1], 0);
    words[2] = WithLow(words[2], value);
    return StoreSystem(words);
}

bool CTalvorenMouseDevice::StoreLight(const LightSettings& light) {
    std::lock_guard lock(ModelLock());
    profile_.WriteLightInfo(MouseLightRecord::FromLightSettings(light).ToLightInfo(profile_.LightInfo()));
    return SaveSettingsToProfile();
}

LightSettings CTalvorenMouseDevice::CurrentLight() const { return LightRecord().ToLightSettings(); }

std::vector<LightEffectName> CTalvorenMouseDevice::LightModeNames() const {
    std::lock_guard lock(ModelLock());
    std::vector<LightEffectName> names = names_.effects;
    for (const std::string& custom : names_.userEffects) names.push_back({custom, true});
    return names;
}

LightModeFamily CTalvorenMouseDevice::ModeFamily() const { return FindDeviceKind(kKindMouse)->lightFamily; }

bool CTalvorenMouseDevice::OffersLightMode(uint8_t mode) const {
    if (mode < MouseLightRecord::kFirstCustomEffect) return true;
    std::lock_guard lock(ModelLock());
    return size_t{mode} - MouseLightRecord::kFirstCustomEffect < names_.userEffects.size();
}

void CTalvorenMouseDevice::SetLightPreviewPaused(bool paused) { preview_.SetPaused(paused); }
void CTalvorenMouseDevice::AdvanceLight() { preview_.CatchUp(); }
void CTalvorenMouseDevice::StartLightPreview() { preview_.Start(); }
void CTalvorenMouseDevice::StopLightPreview() { preview_.Stop(); }
bool CTalvorenMouseDevice::LightPreviewRunning() const { return preview_.Running(); }

void CTalvorenMouseDevice::StepLightPreview() {
    const uint8_t effect = LightRecord().Effect();
    std::lock_guard lock(LedLock());
    if (!RunMouseStep(effect, Light(), groupFlow_)) customPlayer_.Pass(Light(), Light().NowMs());
}

std::vector<LightEffectStep> CTalvorenMouseDevice::LoadCustomLightMode(const MouseLightRecord& light) {
    if (!light.IsCustomMode()) return {};
    // The mouse's own list of the configuration, the one its custom mode names come from.
    profile_.LoadLightConfig();
    return profile_.ReadLightEffectAt(static_cast<Json::ArrayIndex>(DeviceClassOfKind(kKindMouse)),
                                      static_cast<Json::ArrayIndex>(light.CustomMode()));
}

// ---- What the page shows ---------------------------------------------------------------------

std::optional<MouseDpiFacts> CTalvorenMouseDevice::DpiFacts() const {
    std::lock_guard lock(ModelLock());
    if (!info_) return std::nullopt;
    return MouseDpiFacts::From(*info_);
}

std::optional<DeviceInfoRecord> CTalvorenMouseDevice::DeviceInfo() const {
    std::lock_guard lock(ModelLock());
    return info_;
}

std::vector<uint8_t> CTalvorenMouseDevice::KeyTableCopy() const {
    std::lock_guard lock(ModelLock());
    return keyTable_;
}

MouseButtonMap CTalvorenMouseDevice::ButtonMap() const {
    std::lock_guard lock(ModelLock());
    return buttonMap_;
}

std::vector<DpiStageRecord> CTalvorenMouseDevice::Stages() const {
    std::lock_guard lock(ModelLock());
    return stages_;
}

int CTalvorenMouseDevice::CurrentStage() const {
    std::lock_guard lock(ModelLock());
    return currentStage_;
}

MouseSystemWords CTalvorenMouseDevice::SystemWords() const {
    std::lock_guard lock(ModelLock());
    return system_;
}

uint8_t CTalvorenMouseDevice::PollingIndex() const { return static_cast<uint8_t>(SystemWords()[2] >> 16); }

int CTalvorenMouseDevice::ShownPollingOption() const {
    const int index = static_cast<int>(SystemWords()[2] >> 16);
    return index < kMousePollingOptionCount ? index : 0;
}

MouseLightRecord CTalvorenMouseDevice::LightRecord() const {
    std::lock_guard lock(ModelLock());
    return light_;
}

std::vector<KeyListEntry> CTalvorenMouseDevice::KeyList() const {
    std::lock_guard lock(ModelLock());
    return keys_;
}

MouseDpiPage CTalvorenMouseDevice::DpiPage() const {
    std::lock_guard lock(ModelLock());
    return dpiPage_;
}

MouseLogoTooltip CTalvorenMouseDevice::LogoTooltip() const {
    std::lock_guard lock(ModelLock());
    return LogoTooltipFor(light_.Effect(), names_.effects, names_.userEffects);
}

PageNameLists CTalvorenMouseDevice::Names() const {
    std::lock_guard lock(ModelLock());
    return names_;
}

std::optional<MouseSettingBlock::ReadBytes> CTalvorenMouseDevice::LastReadBlock() const {
    std::lock_guard lock(ModelLock());
    return lastBlock_;
}

// ---- Helpers -----------------------------------------------------------------------------------

void CTalvorenMouseDevice::GrowStages(int stage) {
    if (stages_.size() < size_t(stage) + 1) stages_.resize(size_t(stage) + 1);
}

bool CTalvorenMouseDevice::StoreProfile() {
    bool saved = false;
    {
        std::lock_guard lock(ModelLock());
        saved = SaveSettingsToProfile();
        dpiPage_.Show(stages_, currentStage_, info_ ? info_->DpiStep() : 0);
    }
    CTalvorenUSBDevice::RefreshPage();
    return saved;
}

bool CTalvorenMouseDevice::SaveSettingsToProfile() {
    profile_.WriteDpiStages(stages_);
    profile_.WriteMouseSystem(system_);
    return profile_.Save();
}

MouseEditStatus CTalvorenMouseDevice::StoreAndWrite(WriteDone done) {
    const bool saved = StoreProfile();
    uint16_t width = 0;
    uint16_t height = 0;
    {
        std::lock_guard lock(ModelLock());
        width = screenWidth_;
        height = screenHeight_;
    }
    auto write = [this, width, height] { return WriteSettings(0, 0, 1, width, height); };
    if (done) {
        RunOnDevice(std::move(write), std::move(done));
    } else {
        RunOnDevice([write] { write(); });
    }
    return saved ? MouseEditStatus::kDone : MouseEditStatus::kNotSaved;
}

MouseEditStatus CTalvorenMouseDevice::StoreSystem(const MouseSystemWords& words) {
    {
        std::lock_guard lock(ModelLock());
        system_ = words;
    }
    return StoreProfile() ? MouseEditStatus::kDone : MouseEditStatus::kNotSaved;
}

void CTalvorenMouseDevice::EndSession() {
    CHidChannel& channel = CommandChannel();
    if (LinkReady(channel)) channel.EndConfig();
}

}  // namespace morvek
