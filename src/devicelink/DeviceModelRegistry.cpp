#include "devicelink/DeviceModelRegistry.h"

#include <utility>

#include "devicelink/DeviceKinds.h"

namespace morvek {

DeviceModelRegistry::DeviceModelRegistry(DeviceSchedule::Clock clock) : clock_(std::move(clock)) {}

DeviceModelRegistry::~DeviceModelRegistry() { Shutdown(); }

void DeviceModelRegistry::ConfigureModel(CTalvorenUSBDevice& model, const DevicePageTemplate& page,
                                         const DeviceEntry& slot) {
    model.SetPageLayoutFile(page.pageLayout ? page.pageLayout : "");
    model.SetKeyCount(page.keyCount);
    model.SetLightCount(page.lightPointCount);
    model.SetPowerIndicatorStyle(page.powerIndicatorStyle);
    model.SetDataFolderName(page.kindName ? page.kindName : "");
    model.AttachIdentity(slot);
    model.SetDeviceClassNumber(page.classNumber);
    model.SetLightConfigName(page.lightConfigName ? page.lightConfigName : "");
    model.InitDevicePage();
}

void DeviceModelRegistry::CreateModels(const DeviceSlotList& slots, const ModelFactory& factory) {
    const auto pages = DevicePageTemplates();
    const auto rows = InterfaceMatchTable();
    for (size_t page = 0; page < pages.size(); ++page) {
        const DevicePageTemplate& t = pages[page];
        // Every command row that looks this template up: the mouse's gives the wired mouse and
        // the receiver (kind 6 is looked up as a mouse) a model each.
        for (size_t row = 0; row < rows.size(); ++row) {
            const DeviceEntry& r = rows[row];
            if (r.role != t.role || FindPageTemplate(r.vendorId, r.productId, r.kind, r.role) != static_cast<int>(page))
                continue;
            std::unique_ptr<CTalvorenUSBDevice> model = factory ? factory(t) : nullptr;
            if (!model) continue;
            ConfigureModel(*model, t, slots.Slot(row));
            Add(std::move(model));
        }
    }
}

CTalvorenUSBDevice& DeviceModelRegistry::Add(std::unique_ptr<CTalvorenUSBDevice> model) {
    auto binding = std::make_unique<Binding>();
    binding->model = std::move(model);
    binding->schedule = std::make_unique<DeviceSchedule>(*binding->model, clock_);
    binding->schedule->SetFrameGrid([this](DeviceSchedule::TimePoint earliest) { return FrameGridPoint(earliest); });
    CTalvorenUSBDevice* m = binding->model.get();
    DeviceSchedule* schedule = binding->schedule.get();
    // Event 0x0401 arrives on the reader's thread; the timer starts on the user-interface thread.
    m->SetSyncRequestHandler([m, schedule](int delayMs) {
        m->PostToUi([schedule, delayMs] { schedule->OnSyncRequest(delayMs); });
    });
    std::lock_guard lock(mutex_);
    bindings_.push_back(std::move(binding));
    return *m;
}

std::vector<DeviceModelRegistry::Binding*> DeviceModelRegistry::Bindings() {
    std::lock_guard lock(mutex_);
    std::vector<Binding*> all;
    all.reserve(bindings_.size());
    for (const auto& binding : bindings_) all.push_back(binding.get());
    return all;
}

size_t DeviceModelRegistry::Count() const {
    std::lock_guard lock(mutex_);
    return bindings_.size();
}

CTalvorenUSBDevice& DeviceModelRegistry::Model(size_t index) {
    std::lock_guard lock(mutex_);
    return *bindings_.at(index)->model;
}

DeviceSchedule& DeviceModelRegistry::Schedule(size_t index) {
    std::lock_guard lock(mutex_);
    return *bindings_.at(index)->schedule;
}

DeviceSchedule* DeviceModelRegistry::ScheduleOf(const CTalvorenUSBDevice& model) {
    for (Binding* binding : Bindings()) {
        if (binding->model.get() == &model) return binding->schedule.get();
    }
    return nullptr;
}

std::vector<CTalvorenUSBDevice*> DeviceModelRegistry::ModelsOfKind(uint16_t kind) {
    std::vector<CTalvorenUSBDevice*> models;
    for (Binding* binding : Bindings()) {
        if (ListKindOf(binding->model->Kind()) == ListKindOf(kind)) models.push_back(binding->model.get());
    }
    return models;
}

CTalvorenUSBDevice* DeviceModelRegistry::FindCommandModel(const DeviceEntry& slot) {
    DeviceEntry wanted = slot;
    wanted.kind = ListKindOf(slot.kind);
    for (CTalvorenUSBDevice* model : ModelsOfKind(slot.kind)) {
        DeviceEntry identity = model->Identity();
        identity.kind = ListKindOf(identity.kind);
        if (SameInterface(identity, wanted)) return model;
    }
    return nullptr;
}

DeviceModelRegistry::Arrival DeviceModelRegistry::OnDeviceArrival(const DeviceEntry& slot) {
    Arrival arrival;
    if (slot.role == kRoleCommand) {
        CTalvorenUSBDevice* model = FindCommandModel(slot);
        if (model == nullptr) return arrival;
        CHidChannel& channel = model->CommandChannel();
        if (!channel.IsOpen() && channel.Open(slot.path)) {
            const DeviceKindRow* row = FindDeviceKind(slot.kind);
            channel.SetWireless(row != nullptr && row->wireless);
            model->AttachIdentity(slot);
        }
        arrival = {model, true, channel.IsOpen()};
        // Also when the channel did not open: the timer then finds it closed and stops.
        if (DeviceSchedule* schedule = ScheduleOf(*model)) schedule->OnArrival();
    } else if (slot.role == kRoleEvent) {
        for (CTalvorenUSBDevice* model : ModelsOfKind(slot.kind)) {
            const DeviceEntry identity = model->Identity();
            // Same kind too: the wired mouse's model never takes the receiver's events.
            if (model->EventChannel().IsOpen() || identity.vendorId != slot.vendorId ||
                identity.productId != slot.productId || identity.kind != slot.kind)
                continue;
            arrival = {model, false, model->OpenEventChannel(slot.path)};
            break;
        }
    }
    return arrival;
}

CTalvorenUSBDevice* DeviceModelRegistry::OnDeviceRemoval(const DeviceEntry& slot) {
    if (slot.role == kRoleCommand) {
        CTalvorenUSBDevice* model = FindCommandModel(slot);
        if (model == nullptr) return nullptr;
        model->CommandChannel().Close();
        if (DeviceSchedule* schedule = ScheduleOf(*model)) schedule->OnRemoval();
        return model;
    }
    if (slot.role == kRoleEvent) {
        // The model whose event channel is open on that path; else one of that kind, vendor
        // and product with an open event channel.
        CTalvorenUSBDevice* found = nullptr;
        for (CTalvorenUSBDevice* model : ModelsOfKind(slot.kind)) {
            const DeviceEntry identity = model->Identity();
            if (identity.vendorId != slot.vendorId || identity.productId != slot.productId ||
                identity.kind != slot.kind)
                continue;
            if (!model->EventChannel().IsOpen()) continue;
            if (model->EventChannel().Interface().Path() == slot.path) {
                found = model;
                break;
            }
            if (found == nullptr) found = model;
        }
        if (found != nullptr) found->CloseEventChannel();
        return found;
    }
    return nullptr;
}

DeviceSchedule::TimePoint DeviceModelRegistry::FrameGridPoint(DeviceSchedule::TimePoint earliest) {
    std::lock_guard lock(mutex_);
    if (!frameGridOrigin_) frameGridOrigin_ = earliest;
    const auto period = std::chrono::duration_cast<DeviceSchedule::TimePoint::duration>(DeviceSchedule::kFrameInterval);
    const auto offset = earliest - *frameGridOrigin_;
    // The number of whole periods from the origin, rounded up (also before the origin).
    auto periods = offset / period;
    if (periods * period < offset) ++periods;
    return *frameGridOrigin_ + periods * period;
}

std::optional<DeviceSchedule::TimePoint> DeviceModelRegistry::RunDue() {
    std::optional<DeviceSchedule::TimePoint> next;
    for (Binding* binding : Bindings()) {
        const auto deadline = binding->schedule->RunDue();
        if (deadline && (!next || *deadline < *next)) next = deadline;
    }
    return next;
}

void DeviceModelRegistry::Shutdown() {
    for (Binding* binding : Bindings()) binding->model->Shutdown();
}

}  // namespace morvek
