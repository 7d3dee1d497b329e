// Host cost of the HID channel against the emulated keyboard.

#include <benchmark/benchmark.h>

#include <sys/prctl.h>

#include <vector>

#include "devicelink/DeviceSlotList.h"
#include "devicelink/HidChannel.h"
#include "devicelink/HidCommandReport.h"
#include "devicelink/HidInterfaceHandle.h"
#include "emulator/EmulatorBackend.h"

namespace {

using morvek::CHidChannel;

// The path of the emulated keyboard's command interface, found as the device monitor finds it.
std::string KeyboardCommandPath(morvek::hid::IHidBackend& backend) {
    morvek::DeviceSlotList slots;
    morvek::HidInterfaceHandle enumerator(backend);
    enumerator.EnumerateHidPaths();
    while (auto path = enumerator.NextPath()) slots.MatchPath(backend, *path);
    return slots.Slot(0).path;
}

void BM_TransferZeroLatency(benchmark::State& state) {
    morvek::emulator::EmulatorBackend backend;
    backend.Attach(morvek::emulator::EmulatedKind::Keyboard);
    CHidChannel channel(backend);
    if (!channel.Open(KeyboardCommandPath(backend))) {
        state.SkipWithError("cannot open the emulated keyboard");
        return;
    }
    const auto request = morvek::BuildCommandReport(morvek::kCmdReadStatus, 6, 0);
    morvek::CommandReport answer{};
    for (auto _ : state) {
        const int result = channel.Transfer(request.data(), request.size(), answer.data(), answer.size());
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_TransferZeroLatency);

// A 378-byte key table (126 slots) read at 1 ms per report each way: 7 reports, 14 ms link minimum.
// The emulated link sleeps for its latency; Linux adds its timer slack (50 us by default) to every
// such sleep. With argument 1 the benchmark thread's slack is set to 1 ns, so that what remains
// above 14 ms is the host's own cost.
void BM_KeyTableRead1ms(benchmark::State& state) {
    const unsigned long defaultSlack = static_cast<unsigned long>(prctl(PR_GET_TIMERSLACK));
    if (state.range(0) == 1) prctl(PR_SET_TIMERSLACK, 1UL);
    morvek::emulator::EmulatorBackend backend;
    backend.Attach(morvek::emulator::EmulatedKind::Keyboard);
    backend.SetLatency(1);
    CHidChannel channel(backend);
    if (!channel.Open(KeyboardCommandPath(backend)) || !channel.SetBlockSize(378)) {
        state.SkipWithError("cannot open the emulated keyboard");
        return;
    }
    std::vector<uint8_t> table(378);
    for (auto _ : state) {
        const int result = channel.ReadKeyTable(table.data());
        if (result != morvek::kResultSuccess) state.SkipWithError("key table read failed");
    }
    prctl(PR_SET_TIMERSLACK, defaultSlack);
}
BENCHMARK(BM_KeyTableRead1ms)->ArgName("exact_timer")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
