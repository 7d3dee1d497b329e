#pragma once
// Hot-plug notices of the hidraw nodes from udev. A thread of its own blocks in poll() on a udev
// monitor of the hidraw subsystem and on an eventfd that ends it, so it costs nothing while no
// node comes or goes. Every event of the subsystem (add, remove, change) gives the notice
// HidChange::kInterfaces.
//
// While udev's daemon runs, the monitor listens to its events, sent once the rules have run
// (permissions given, links made); without the daemon (a container) it listens to the kernel's
// own events, sent once the device node exists. A failing monitor socket ends the watch with
// the notice HidChange::kWatchLost.

#include <functional>
#include <memory>
#include <thread>

#include "platform/hid/HidBackend.h"
#include "platform/hid/UniqueFd.h"

struct udev;
struct udev_monitor;

namespace morvek::hid {

class UdevHidrawWatch {
public:
    // Nothing when the monitor cannot be set up (no netlink socket allowed, no libudev context).
    static std::unique_ptr<UdevHidrawWatch> Start(std::function<void(HidChange)> onChange);
    // Ends the thread; no notice runs once it has returned.
    ~UdevHidrawWatch();
    UdevHidrawWatch(const UdevHidrawWatch&) = delete;
    UdevHidrawWatch& operator=(const UdevHidrawWatch&) = delete;

    // "udev" or "kernel": whose events are listened to.
    const char* Source() const { return source_; }

private:
    UdevHidrawWatch(udev* context, udev_monitor* monitor, const char* source, UniqueFd stop,
                    std::function<void(HidChange)> onChange);
    void Run();

    udev* context_;
    udev_monitor* monitor_;
    const char* source_;
    UniqueFd stop_;
    std::function<void(HidChange)> onChange_;
    std::thread thread_;
};

}  // namespace morvek::hid
