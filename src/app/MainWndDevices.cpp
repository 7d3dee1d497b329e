// CMainWnd: device pages, list entries and the device monitor's announcements.
#include <QLabel>
#include <QThread>

#include "app/DeviceOptionUI.h"
#include "app/DevicePageUI.h"
#include "app/MainWnd.h"
#include "app/MpDevicePowerUI.h"
#include "app/ResourceManager.h"
#include "devicelink/DeviceTables.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devicelink/UdevRules.h"
#include "platform/Trace.h"

namespace morvek::app {

void CMainWnd::CreateDevicePages() {
    registry_.CreateModels(monitor_->Slots(), modelFactory_);
    for (size_t i = 0; i < registry_.Count(); ++i) {
        CTalvorenUSBDevice& model = registry_.Model(i);
        const DeviceEntry identity = model.Identity();
        const int row = FindPageTemplate(identity.vendorId, identity.productId, identity.kind, identity.role);
        if (row < 0) continue;
        if (!CreateDevicePage(model, DevicePageTemplates()[static_cast<size_t>(row)]))
            Trace("main window: no page for " + std::string(DevicePageTemplates()[static_cast<size_t>(row)].kindName));
        registry_.Schedule(i).SetChangedHook([this] { RequestArmSchedules(); });
    }
    deviceList_->UpdateNoDeviceLink();
}

bool CMainWnd::CreateDevicePage(CTalvorenUSBDevice& model, const DevicePageTemplate& page) {
    CResourceManager& resources = CResourceManager::GetInstance();
    CDialogBuilder builder(resources, this);
    auto* power = qobject_cast<CMpDevicePowerUI*>(builder.Create(kPowerIndicatorLayout));
    auto* entry = power ? qobject_cast<CDeviceOptionUI*>(builder.Create(page.listEntryLayout)) : nullptr;
    QWidget* content = entry ? builder.Create(page.pageLayout) : nullptr;
    if (content == nullptr) {
        Trace("main window: " + builder.ErrorString().toStdString());
        delete power;
        delete entry;
        return false;
    }
    const uint16_t kind = model.Kind();
    power->SetKind(kind, model.Role());
    auto* devicePage = new CDevicePageUI();
    devicePage->setObjectName(QString(page.kindName) + "_page");
    devicePage->Bind(&model, content, power);
    entry->SetSynchroBoxVisible(false);
    entry->Link(&model, -1, -1);
    deviceList_->Add(entry, devicePage, power);
    entry->SetKind(kind, 0, page.kindName);
    pages_[&model] = devicePage;
    for (QWidget* built : {static_cast<QWidget*>(devicePage), static_cast<QWidget*>(entry), static_cast<QWidget*>(power)}) {
        resources.ReloadText(built);
        pump_.Attach(built);
    }
    devicePage->SetupPanels(*this);
    return true;
}

CDevicePageUI* CMainWnd::PageOf(const CTalvorenUSBDevice* model) const {
    const auto found = pages_.find(model);
    return found == pages_.end() ? nullptr : found->second;
}

CTalvorenUSBDevice* CMainWnd::CurrentDevice() const { return deviceList_ ? deviceList_->CurrentDevice() : nullptr; }

void CMainWnd::HandleArrival(const DeviceEntry& slot) {
    const DeviceModelRegistry::Arrival arrival = registry_.OnDeviceArrival(slot);
    if (arrival.model == nullptr || !arrival.commandInterface) return;
    const int index = deviceList_->IndexOf(arrival.model);
    if (index >= 0) {
        // The first device shown becomes the selected one; later ones keep the selection.
        const bool noneVisible = deviceList_->VisibleCount() == 0;
        deviceList_->ShowDeviceEntry(index, true, noneVisible);
        arrival.model->SetHostLightControl(hostLightControl_ && awake_);
    }
    ArmSchedules();
    synchronised_.DevicesChanged();
    if (isVisible()) RestoreAndRaise();
}

void CMainWnd::HandleRemoval(const DeviceEntry& slot) {
    CTalvorenUSBDevice* model = registry_.OnDeviceRemoval(slot);
    if (model == nullptr || slot.role != kRoleCommand) return;
    const int index = deviceList_->IndexOf(model);
    if (index >= 0) deviceList_->HideDeviceEntry(index);
}

void CMainWnd::OnSelectedEntryHidden() { CloseDialogs(); }

void CMainWnd::RunSchedules() {
    runningSchedules_ = true;
    registry_.RunDue();
    runningSchedules_ = false;
    ArmSchedules();
}

// A schedule changed (from any thread). RunSchedules arms the timer itself once the due timers
// ran, so the timers it restarts post nothing; other changes post one arming at a time.
void CMainWnd::RequestArmSchedules() {
    if (runningSchedules_ && QThread::currentThread() == thread()) return;
    if (armPosted_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            armPosted_ = false;
            ArmSchedules();
        },
        Qt::QueuedConnection);
}

void CMainWnd::ArmSchedules() {
    std::optional<DeviceSchedule::TimePoint> next;
    for (size_t i = 0; i < registry_.Count(); ++i) {
        const auto deadline = registry_.Schedule(i).NextDeadline();
        if (deadline && (!next || *deadline < *next)) next = deadline;
    }
    if (!next) {
        scheduleTimer_.stop();
        return;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*next - std::chrono::steady_clock::now());
    scheduleTimer_.start(static_cast<int>(std::max<int64_t>(0, wait.count())));
}

void CMainWnd::RunOnUiAndWait(std::function<void()> work) {
    auto done = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        this,
        [this, work = std::move(work), done] {
            work();
            std::lock_guard lock(uiWaitMutex_);
            *done = true;
            uiWaitDone_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(uiWaitMutex_);
    uiWaitDone_.wait(lock, [&] { return *done || stopping_; });
}

void CMainWnd::OnDeviceArrival(size_t, const DeviceEntry& entry) {
    RunOnUiAndWait([this, entry] { HandleArrival(entry); });
}

void CMainWnd::OnDeviceRemoval(size_t, const DeviceEntry& entry) {
    RunOnUiAndWait([this, entry] { HandleRemoval(entry); });
}

void CMainWnd::OnFirstScan() {
    // The window comes to the front once after the first scan.
    QMetaObject::invokeMethod(this, [this] { if (isVisible()) RestoreAndRaise(); }, Qt::QueuedConnection);
}

void CMainWnd::OnAccessDeniedChanged(const std::vector<DeviceEntry>& denied) {
    QMetaObject::invokeMethod(this, [this, denied] { ShowAccessDenied(denied); }, Qt::QueuedConnection);
}

void CMainWnd::ShowAccessDenied(const std::vector<DeviceEntry>& denied) {
    auto* label = root_ ? root_->findChild<QLabel*>("device_access_denied") : nullptr;
    if (label == nullptr) return;
    const CResourceManager& resources = CResourceManager::GetInstance();
    QStringList names;
    for (const DeviceEntry& entry : denied) {
        if (entry.role != kRoleCommand) continue;
        const int row = FindPageTemplate(entry.vendorId, entry.productId, entry.kind, entry.role);
        const QString name = row >= 0 ? resources.Text(DevicePageTemplates()[static_cast<size_t>(row)].kindName)
                                      : QString::asprintf("%04x:%04x", entry.vendorId, entry.productId);
        if (!names.contains(name)) names.append(name);
    }
    label->setText(names.isEmpty() ? QString() : resources.Text("device_access_text").arg(names.join(", ")));
    label->setToolTip(names.isEmpty() ? QString() : QString::fromStdString(AccessDeniedHint()));
    label->setAccessibleName(label->text());
    label->setVisible(!names.isEmpty());
}

void CMainWnd::StopMonitor() {
    if (!monitor_) return;
    {
        std::lock_guard lock(uiWaitMutex_);
        stopping_ = true;
    }
    uiWaitDone_.notify_all();
    monitor_->Stop();
}

}  // namespace morvek::app
