// Whole-process CPU load of the light threads and frames, driven as the window drives them:
// the emulated keyboard and mouse pad are found by a scan of the live device list, their models
// are made by the model factory and attached by the registry, and the registry's timers run
// (configuration read, a frame every 50 ms, power status). The keyboard preview runs the given
// light mode (default 39 at speed level 0, the most expensive per tick; see
// bench/KeyboardPreviewBench.cpp), the pad its own light thread and frames.
//
//   morvek_light_cpu [seconds] [mode] [speed level]
//
// Prints the process's user and system CPU time over the measured span (after a 2 s warm-up)
// and the share of one core it makes.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceSlotList.h"
#include "devicelink/HidInterfaceHandle.h"
#include "devicelink/UiDispatcher.h"
#include "devices/DeviceModelFactory.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "emulator/EmulatorBackend.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kPadPathPrefix = "emu:pad&";
using namespace std::chrono_literals;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the registry's due timers until deadline, sleeping until the next one as the window's
// timers do.
void RunTimers(morvek::DeviceModelRegistry& registry, Clock::time_point deadline) {
    while (Clock::now() < deadline) {
        const auto next = registry.RunDue();
        std::this_thread::sleep_until(std::min(next.value_or(deadline), deadline));
    }
}

int Argument(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::atoi(argv[index]) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = Argument(argc, argv, 1, 30);
    const auto mode = static_cast<uint8_t>(Argument(argc, argv, 2, 39));
    const auto speed = static_cast<uint8_t>(Argument(argc, argv, 3, 0));

    const auto dataDir = std::filesystem::temp_directory_path() / ("morvek_light_cpu_" + std::to_string(getpid()));
    std::filesystem::create_directories(dataDir);
    setenv("MORVEK_DATA_DIR", dataDir.c_str(), 1);

    morvek::emulator::EmulatorBackend backend;
    backend.Attach(morvek::emulator::EmulatedKind::Keyboard);
    auto& pad = backend.Attach(morvek::emulator::EmulatedKind::MousePad);

    morvek::DeviceSlotList slots;
    morvek::HidInterfaceHandle enumerator(backend);
    enumerator.EnumerateHidPaths();
    while (auto path = enumerator.NextPath()) slots.MatchPath(backend, *path);

    morvek::InlineUiDispatcher ui;
    morvek::DeviceModelFactory factory(backend, ui);
    morvek::DeviceModelRegistry registry;
    registry.CreateModels(slots, factory.RegistryFactory());
    for (auto slot : slots.Slots()) {
        if (slot.path.empty()) continue;
        // The pad's ids (0000:0000) are also those of the mouse rows, which the live list
        // claims first; the pad's interfaces go to the pad's model.
        if (slot.path.rfind(kPadPathPrefix, 0) == 0) slot.kind = morvek::kKindMousePad;
        registry.OnDeviceArrival(slot);
    }

    const auto keyboards = registry.ModelsOfKind(1);
    if (keyboards.empty() || registry.ModelsOfKind(3).empty()) {
        std::fprintf(stderr, "the emulated keyboard or mouse pad was not found\n");
        return 1;
    }
    auto& keyboard = static_cast<morvek::CTalvorenKeyboardDevice&>(*keyboards.front());

    // The configuration read (500 ms after arrival) starts the light threads; then the mode.
    RunTimers(registry, Clock::now() + 1s);
    morvek::LightSettings light = keyboard.CurrentLight();
    light.mode = mode;
    light.speedLevel = speed;
    light.brightnessLevel = 4;
    light.randomColour = 1;
    keyboard.ChangeLight(light);
    RunTimers(registry, Clock::now() + 1s);

    const uint64_t padReportsBefore = pad.FrameCount();
    const double cpuBefore = CpuSeconds();
    const auto start = Clock::now();
    RunTimers(registry, start + std::chrono::seconds(seconds));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    const uint64_t padReports = pad.FrameCount() - padReportsBefore;
    const bool previewRan = keyboard.LightPreviewRunning();

    registry.Shutdown();
    std::filesystem::remove_all(dataDir);
    std::printf("keyboard preview mode %d speed %d (%s), pad frame reports %llu: %.3f s CPU over %.1f s = %.2f %% of one core\n",
                mode, speed, previewRan ? "running" : "not running", static_cast<unsigned long long>(padReports), cpu,
                wall, 100.0 * cpu / wall);
    return previewRan && padReports > 0 ? 0 : 1;
}
