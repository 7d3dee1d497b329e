#include "platform/hid/UdevHidrawWatch.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>

#include <cerrno>
#include <cstdint>

#include "platform/Trace.h"

namespace morvek::hid {
namespace {

// Whether udev's daemon runs (its control socket exists).
bool UdevDaemonRuns(udev* context) {
    udev_queue* queue = udev_queue_new(context);
    if (queue == nullptr) return false;
    const bool active = udev_queue_get_udev_is_active(queue) != 0;
    udev_queue_unref(queue);
    return active;
}

}  // namespace

std::unique_ptr<UdevHidrawWatch> UdevHidrawWatch::Start(std::function<void(HidChange)> onChange) {
    udev* context = udev_new();
    if (context == nullptr) return nullptr;
    const char* source = UdevDaemonRuns(context) ? "udev" : "kernel";
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, source);
    UniqueFd stop(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (monitor == nullptr || !stop.Valid() ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        Trace(std::string("hidraw hot-plug notices unavailable (") + source + " events)");
        if (monitor != nullptr) udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevHidrawWatch>(
        new UdevHidrawWatch(context, monitor, source, std::move(stop), std::move(onChange)));
}

UdevHidrawWatch::UdevHidrawWatch(udev* context, udev_monitor* monitor, const char* source, UniqueFd stop,
                                 std::function<void(HidChange)> onChange)
    : context_(context), monitor_(monitor), source_(source), stop_(std::move(stop)), onChange_(std::move(onChange)) {
    thread_ = std::thread([this] { Run(); });
}

UdevHidrawWatch::~UdevHidrawWatch() {
    const uint64_t one = 1;
    if (::write(stop_.Get(), &one, sizeof one) != sizeof one) Trace("hidraw hot-plug watch: stop not signalled");
    thread_.join();
    udev_monitor_unref(monitor_);
    udev_unref(context_);
}

void UdevHidrawWatch::Run() {
    pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {stop_.Get(), POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            Trace("hidraw hot-plug watch: poll failed");
            onChange_(HidChange::kWatchLost);
            return;
        }
        if (fds[1].revents != 0) return;
        if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            Trace("hidraw hot-plug watch: monitor socket failed");
            onChange_(HidChange::kWatchLost);
            return;
        }
        // Every waiting event is taken; one notice covers them.
        bool changed = false;
        while (udev_device* device = udev_monitor_receive_device(monitor_)) {
            udev_device_unref(device);
            changed = true;
        }
        if (changed) onChange_(HidChange::kInterfaces);
    }
}

}  // namespace morvek::hid
