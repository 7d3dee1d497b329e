// Whole-process CPU of the device monitor with the real HID stack: the monitor runs for the given
// seconds (default 30) with an owner that only counts, then the process's user and system time
// (getrusage) is printed as a share of one core, with the passes the monitor ran and whether
// they came from hot-plug notices (else it polled every 100 ms).
//
//   morvek_monitor_idle [SECONDS]

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "devicelink/DeviceMonitor.h"
#include "platform/hid/HidapiBackend.h"

namespace {

class CountingOwner : public morvek::IDeviceMonitorOwner {
public:
    void OnDeviceArrival(size_t, const morvek::DeviceEntry&) override { ++arrivals; }
    void OnDeviceRemoval(size_t, const morvek::DeviceEntry&) override { ++removals; }
    void OnFirstScan() override {}
    int arrivals = 0;
    int removals = 0;
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: morvek_monitor_idle [SECONDS]\n");
        return 2;
    }
    morvek::hid::HidapiBackend backend;
    CountingOwner owner;
    morvek::DeviceMonitor monitor(backend, owner);

    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    monitor.Start();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const bool eventDriven = monitor.EventDriven();
    const unsigned long long passes = monitor.ThreadPassCount();
    monitor.Stop();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;

    std::printf("wall %.3f s, cpu %.6f s, %.4f %% of one core, arrivals %d, removals %d, passes %llu (%s)\n", wall,
                cpu, 100.0 * cpu / wall, owner.arrivals, owner.removals, passes,
                eventDriven ? "hot-plug notices" : "polled");
    return 0;
}
