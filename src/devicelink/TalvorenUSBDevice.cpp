#include "devicelink/TalvorenUSBDevice.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "devicelink/FunctionTabs.h"
#include "devicelink/LightCounter.h"
#include "devicelink/LightFrame.h"
#include "platform/Paths.h"

namespace morvek {

bool SameInterface(const DeviceEntry& a, const DeviceEntry& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
           a.collectionNumber == b.collectionNumber && a.kind == b.kind && a.role == b.role &&
           a.usagePage == b.usagePage && a.usage == b.usage;
}

CTalvorenUSBDevice::CTalvorenUSBDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode,
                                       LightEngine::Clock flashClock)
    : commandChannel_(backend),
      eventChannel_(backend),
      light_(flashClock ? LightEngine(std::move(flashClock)) : LightEngine()),
      tasks_(ui, mode) {}

CTalvorenUSBDevice::~CTalvorenUSBDevice() { Shutdown(); }

void CTalvorenUSBDevice::Shutdown() {
    tasks_.RequestStop();
    // A transfer waiting on a silent device ends when its interface closes.
    commandChannel_.Close();
    CloseEventChannel();
    tasks_.Join();
}

// ---- Virtual operations ------------------------------------------------------------------

void CTalvorenUSBDevice::InitDevicePage() {
    if (PageLayoutFile().empty()) {
        SetKeyCount(0);
        SetLightCount(0);
    }
}

int CTalvorenUSBDevice::RefreshPage() {
    NotifyView([](IDeviceView& view) { view.Refresh(); });
    return 0;
}

void CTalvorenUSBDevice::SendLedFrame() {
    if (!GetHostLightControl()) return;
    AdvanceLight();
    LightFrame frame;
    {
        std::lock_guard lock(ledLock_);
        frame = BuildLightFrame(light_.Leds());
    }
    ShowPreviews(std::move(frame.previews));
    if (commandChannel_.IsWireless()) return;
    const int result = commandChannel_.SendLightFrame(frame.bytes.data(), frame.bytes.size());
    // A failing device slows its own thread down instead of being flooded with frames.
    if (result != kResultSuccess) PauseDeviceThread(kFailedFramePause);
}

void CTalvorenUSBDevice::SetLedColour(int index, uint32_t entry) {
    std::lock_guard lock(ledLock_);
    light_.SetLedColour(index, entry);
}

uint32_t CTalvorenUSBDevice::GetLedColour(int index) {
    std::lock_guard lock(ledLock_);
    return light_.GetLedColour(index);
}

void CTalvorenUSBDevice::ReadDeviceConfig() {}
void CTalvorenUSBDevice::ReadDeviceProfile() {}

void CTalvorenUSBDevice::ReadPowerStatus() {
    PowerRecord record{};
    if (ReadPowerRecord(record) != kResultSuccess) return;
    {
        std::lock_guard lock(modelLock_);
        lastPower_ = record;
    }
    const PowerIndicatorState state = DecodePowerStatus(record, PowerIndicatorKind(Kind()));
    NotifyView([state](IDeviceView& view) { view.ShowPowerStatus(state); });
}

void CTalvorenUSBDevice::LoadProfile() {}

void CTalvorenUSBDevice::ApplyProfileToPage() {
    NotifyView([](IDeviceView& view) { view.Refresh(); });
}

void CTalvorenUSBDevice::RestoreDefaults() {}

int CTalvorenUSBDevice::WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth,
                                      int screenHeight) {
    (void)profileIndex;
    (void)firstValue;
    (void)secondValue;
    (void)screenWidth;
    (void)screenHeight;
    return 0;
}

void CTalvorenUSBDevice::ReloadMacroList() {}

void CTalvorenUSBDevice::SetKeyIndexMap(std::map<uint32_t, uint32_t> map) {
    std::lock_guard lock(modelLock_);
    keyIndexMap_ = std::move(map);
}

void CTalvorenUSBDevice::SetFunctionType(int type) {
    functionType_ = type;
    const FunctionTabs tabs = FunctionTabsFor(type, GetDeviceClassNumber());
    NotifyView([tabs](IDeviceView& view) { view.ShowFunctionTabs(tabs); });
}

int CTalvorenUSBDevice::GetFunctionType() const { return functionType_.load(); }

void CTalvorenUSBDevice::LoadProfileDocument() {}

void CTalvorenUSBDevice::GetProfileName(std::string& name) const { name.clear(); }

void CTalvorenUSBDevice::SaveProfile() {}

void CTalvorenUSBDevice::SetDeviceClassNumber(int number) { classNumber_ = number; }

int CTalvorenUSBDevice::GetDeviceClassNumber() const { return classNumber_.load(); }

void CTalvorenUSBDevice::SetLightSettings(int32_t mode, int32_t value, uint32_t colour) {
    std::lock_guard lock(modelLock_);
    lightParameters_ = {mode, value, colour};
}

void CTalvorenUSBDevice::SelectKey(int keyIndex) { activeKey_ = keyIndex; }

// ---- Non-virtual operations ---------------------------------------------------------------

void CTalvorenUSBDevice::SetHostLightControl(bool on) {
    hostLightControl_ = on ? 1 : 0;
    if (on && Kind() == kKindKeyboard) {
        RunOnDevice([this] { commandChannel_.EnterSoftwareLight(); });
    }
}

void CTalvorenUSBDevice::AttachIdentity(const DeviceEntry& entry) {
    std::lock_guard lock(modelLock_);
    identity_ = entry;
    kind_ = entry.kind;
    role_ = entry.role;
}

DeviceEntry CTalvorenUSBDevice::Identity() const {
    std::lock_guard lock(modelLock_);
    return identity_;
}

void CTalvorenUSBDevice::SetKeyCount(int count) { keyCount_ = std::max(count, 0); }

void CTalvorenUSBDevice::SetLightCount(int count) {
    count = std::max(count, 0);
    std::scoped_lock lock(modelLock_, ledLock_);
    lightPointCount_ = count;
    light_.SetLightCount(static_cast<size_t>(count));
    ledEffects_.assign(static_cast<size_t>(count), LedEffectState{});
}

void CTalvorenUSBDevice::SetPageLayoutFile(std::string file) {
    std::lock_guard lock(modelLock_);
    pageLayoutFile_ = std::move(file);
}

std::string CTalvorenUSBDevice::PageLayoutFile() const {
    std::lock_guard lock(modelLock_);
    return pageLayoutFile_;
}

void CTalvorenUSBDevice::SetLightConfigName(std::string name) {
    std::lock_guard lock(modelLock_);
    lightConfigName_ = std::move(name);
}

std::string CTalvorenUSBDevice::LightConfigName() const {
    std::lock_guard lock(modelLock_);
    return lightConfigName_;
}

void CTalvorenUSBDevice::SetDataFolderName(std::string name) {
    std::lock_guard lock(modelLock_);
    dataFolderName_ = std::move(name);
}

std::string CTalvorenUSBDevice::DataFolderName() const {
    std::lock_guard lock(modelLock_);
    return dataFolderName_;
}

void CTalvorenUSBDevice::SetProfileName(std::string uuid) {
    std::lock_guard lock(modelLock_);
    profileName_ = std::move(uuid);
}

std::string CTalvorenUSBDevice::ProfileName() const {
    std::lock_guard lock(modelLock_);
    return profileName_;
}

void CTalvorenUSBDevice::NoteProfileLoad(ProfileLoadReport report) {
    std::lock_guard lock(modelLock_);
    profileLoad_ = std::move(report);
}

std::optional<ProfileLoadReport> CTalvorenUSBDevice::LastProfileLoad() const {
    std::lock_guard lock(modelLock_);
    return profileLoad_;
}

std::map<uint32_t, uint32_t> CTalvorenUSBDevice::KeyIndexMap() const {
    std::lock_guard lock(modelLock_);
    return keyIndexMap_;
}

LightParameters CTalvorenUSBDevice::GetLightParameters() const {
    std::lock_guard lock(modelLock_);
    return lightParameters_;
}

std::vector<LedEffectState> CTalvorenUSBDevice::LedEffects() const {
    std::lock_guard lock(modelLock_);
    return ledEffects_;
}

void CTalvorenUSBDevice::SetDataRoots(std::filesystem::path userDataRoot, std::filesystem::path defaultDataFolder) {
    std::lock_guard lock(modelLock_);
    userDataRoot_ = std::move(userDataRoot);
    defaultDataFolder_ = std::move(defaultDataFolder);
}

std::filesystem::path CTalvorenUSBDevice::GetUserDataFolder() const {
    std::filesystem::path root;
    std::string name;
    {
        std::lock_guard lock(modelLock_);
        root = userDataRoot_;
        name = dataFolderName_;
    }
    const std::filesystem::path folder = UserDataFolder(root.string()) / name;
    std::error_code ec;  // a folder that cannot be made shows up when its files are written
    std::filesystem::create_directories(folder, ec);
    return folder;
}

std::filesystem::path CTalvorenUSBDevice::GetDefaultDataFolder() const {
    std::lock_guard lock(modelLock_);
    return DefaultDataFolder(defaultDataFolder_.string());
}

std::filesystem::path CTalvorenUSBDevice::GetDefaultProfilePath() const {
    return GetDefaultDataFolder() / (DataFolderName() + ".Json");
}

uint8_t CTalvorenUSBDevice::StepCounter(int direction, uint8_t limit, uint8_t value, uint8_t step) {
    return morvek::StepCounter(direction != 0, limit, value, step);
}

// ---- Event channel ---------------------------------------------------------------------

bool CTalvorenUSBDevice::OpenEventChannel(const std::string& path) {
    // The reader is stopped and started outside the reader lock: its callbacks may ask for it.
    std::unique_ptr<DeviceEventReader> previous;
    {
        std::lock_guard lock(readerMutex_);
        previous = std::move(eventReader_);
    }
    if (previous) previous->StopAndClose();
    previous.reset();
    if (tasks_.StopRequested()) return false;
    if (!eventChannel_.Open(path)) return false;
    DeviceEventHandlers handlers{[this](int delayMs) { OnSyncRequest(delayMs); },
                                 [this](int key, int phase) { OnDeviceKey(key, phase); }};
    auto reader = std::make_unique<DeviceEventReader>(eventChannel_, Kind(), std::move(handlers));
    reader->Start();
    std::lock_guard lock(readerMutex_);
    eventReader_ = std::move(reader);
    return true;
}

void CTalvorenUSBDevice::CloseEventChannel() {
    std::unique_ptr<DeviceEventReader> reader;
    {
        std::lock_guard lock(readerMutex_);
        reader = std::move(eventReader_);
    }
    if (reader) {
        reader->StopAndClose();  // closes the event channel, which ends a waiting read
    } else {
        eventChannel_.Close();
    }
}

bool CTalvorenUSBDevice::EventReaderRunning() const {
    std::lock_guard lock(readerMutex_);
    return eventReader_ && eventReader_->IsRunning();
}

void CTalvorenUSBDevice::SetSyncRequestHandler(std::function<void(int)> handler) {
    std::lock_guard lock(modelLock_);
    syncRequestHandler_ = std::move(handler);
}

void CTalvorenUSBDevice::SetDeviceKeyHandler(std::function<void(int, int)> handler) {
    std::lock_guard lock(modelLock_);
    deviceKeyHandler_ = std::move(handler);
}

void CTalvorenUSBDevice::OnSyncRequest(int delayMs) {
    std::function<void(int)> handler;
    {
        std::lock_guard lock(modelLock_);
        handler = syncRequestHandler_;
    }
    if (handler) handler(delayMs);
}

void CTalvorenUSBDevice::OnDeviceKey(int key, int phase) {
    std::function<void(int, int)> handler;
    {
        std::lock_guard lock(modelLock_);
        handler = deviceKeyHandler_;
    }
    if (handler) handler(key, phase);
}

// ---- Device thread ----------------------------------------------------------------------

bool CTalvorenUSBDevice::RequestLedFrame() {
    if (!FrameTalksToDevice()) {
        SendLedFrame();
        return true;
    }
    return tasks_.PostCoalesced(kFrameTaskKey, [this] { SendLedFrame(); });
}

bool CTalvorenUSBDevice::RequestPowerStatus() {
    return tasks_.PostCoalesced(kPowerTaskKey, [this] { ReadPowerStatus(); });
}

int CTalvorenUSBDevice::ReadPowerRecord(PowerRecord& record) {
    if (!commandChannel_.IsOpen()) return kResultNoAnswer;
    const int result = commandChannel_.ReadStatus(record.data(), record.size(), 0);
    if (result == kResultSuccess) record[kPowerByteWireless] = commandChannel_.IsWireless() ? 1 : 0;
    return result;
}

std::optional<PowerRecord> CTalvorenUSBDevice::LastPowerStatus() const {
    std::lock_guard lock(modelLock_);
    return lastPower_;
}

void CTalvorenUSBDevice::PauseDeviceThread(std::chrono::milliseconds duration) {
    if (tasks_.IsDeviceThread()) {
        tasks_.Pause(duration);
    } else {
        tasks_.Post([this, duration] { tasks_.Pause(duration); });
    }
}

void CTalvorenUSBDevice::ShowPreviews(std::vector<LedPreview> previews) {
    if (!PictureShown()) return;
    // A frame made on the user-interface thread (the keyboard's preview, from the window's
    // timer) reaches the view at once: posting it would cost a turn of the event loop a frame.
    if (tasks_.Ui().OnUiThread()) {
        if (IDeviceView* view = view_.load()) view->ShowLightPreview(previews);
        return;
    }
    NotifyView([previews = std::move(previews)](IDeviceView& view) { view.ShowLightPreview(previews); });
}

void CTalvorenUSBDevice::NotifyView(std::function<void(IDeviceView&)> call) {
    tasks_.PostToUi([this, call = std::move(call)] {
        if (IDeviceView* view = view_.load()) call(*view);
    });
}

std::vector<LedEntry> CTalvorenUSBDevice::LedsSnapshot() const {
    std::lock_guard lock(ledLock_);
    const auto leds = light_.Leds();
    return {leds.begin(), leds.end()};
}

}  // namespace morvek
