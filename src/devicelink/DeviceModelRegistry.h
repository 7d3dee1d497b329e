#pragma once
// DeviceModelRegistry: the device models of the window (one model list per kind) with a
// DeviceSchedule each, and what arrival and removal of an interface do to them:
//
// - arrival of a command interface (role 0): the model of that identity gets its command
//   channel opened on the slot's path (wireless flag from kind 6, identity from the slot) unless
//   it is open already, and its schedule starts timer 1001 (configuration read after 500 ms),
//   also when the channel could not be opened;
// - arrival of an event interface (role 0xFF): the model of that kind, vendor and product whose
//   event channel is closed opens it and starts its event reader (the receiver's events go to
//   the receiver's model, not to the wired mouse's); event 0x0401 then starts the
//   schedule's timer 1002 on the user-interface thread;
// - removal: the channel is closed (a transfer in progress ends at once), the event reader
//   stops, the schedule stops; model, page and state stay for the device's return.
//
// The window owns one, builds the models at start-up (CreateModels) and calls the arrival and
// removal handlers on its user-interface thread for the monitor's announcements. Showing and
// hiding the list entry is the window's part; the handlers return the model concerned.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "devicelink/DeviceSchedule.h"
#include "devicelink/DeviceSlotList.h"
#include "devicelink/DeviceTables.h"
#include "devicelink/TalvorenUSBDevice.h"

namespace morvek {

class DeviceModelRegistry {
public:
    using ModelFactory = std::function<std::unique_ptr<CTalvorenUSBDevice>(const DevicePageTemplate&)>;

    struct Arrival {
        CTalvorenUSBDevice* model = nullptr;  // nullptr: no model takes this slot
        bool commandInterface = false;        // role 0: the window shows the model's list entry
        bool opened = false;                  // the channel is open now
    };

    // clock: the schedules' clock (empty: the steady clock).
    explicit DeviceModelRegistry(DeviceSchedule::Clock clock = {});
    // Shutdown(), then the schedules and models go.
    ~DeviceModelRegistry();
    DeviceModelRegistry(const DeviceModelRegistry&) = delete;
    DeviceModelRegistry& operator=(const DeviceModelRegistry&) = delete;

    // The configuration of a new model, in its fixed order, from a page template and the slot
    // of its match row: page layout file, key count, light point count, power-indicator style, data folder
    // name, identity, class number, light configuration name; then InitDevicePage.
    static void ConfigureModel(CTalvorenUSBDevice& model, const DevicePageTemplate& page, const DeviceEntry& slot);
    // Page creation at start-up: for each page template, in the table's order, and each command
    // row of the match table that looks that template up (kind 6 as kind 2), in the table's
    // order, the model the factory makes (none: skipped) is configured with that row's slot and
    // added: mouse, wireless mouse, keyboard, mouse pad, headset.
    void CreateModels(const DeviceSlotList& slots, const ModelFactory& factory);
    // Adds a configured model with its schedule.
    CTalvorenUSBDevice& Add(std::unique_ptr<CTalvorenUSBDevice> model);

    size_t Count() const;
    CTalvorenUSBDevice& Model(size_t index);
    DeviceSchedule& Schedule(size_t index);
    DeviceSchedule* ScheduleOf(const CTalvorenUSBDevice& model);
    // The kind's model list: 1 keyboards, 2 and 6 mice, 3 mouse pads, 7 headsets.
    std::vector<CTalvorenUSBDevice*> ModelsOfKind(uint16_t kind);

    // Arrival of the claimed slot (OnDeviceArrival, without the list entry).
    Arrival OnDeviceArrival(const DeviceEntry& slot);
    // Removal of the slot as it was before it was freed (with its path); the model concerned.
    CTalvorenUSBDevice* OnDeviceRemoval(const DeviceEntry& slot);

    // The frame grid every schedule shares: points 50 ms apart from the first frame placed.
    DeviceSchedule::TimePoint FrameGridPoint(DeviceSchedule::TimePoint earliest);

    // Runs every schedule's due timers; the earliest next deadline of all.
    std::optional<DeviceSchedule::TimePoint> RunDue();

    // Stops every model's device thread and event reader and closes its channels.
    void Shutdown();

private:
    struct Binding {
        std::unique_ptr<CTalvorenUSBDevice> model;
        std::unique_ptr<DeviceSchedule> schedule;  // destroyed before its model
    };

    CTalvorenUSBDevice* FindCommandModel(const DeviceEntry& slot);
    std::vector<Binding*> Bindings();

    DeviceSchedule::Clock clock_;
    mutable std::mutex mutex_;
    std::optional<DeviceSchedule::TimePoint> frameGridOrigin_;
    std::vector<std::unique_ptr<Binding>> bindings_;
};

}  // namespace morvek
