// Cost of one 2 ms tick of the keyboard light preview per light mode, with the keyboard's
// 126 per-key records of the shipped profile (none animated) or 126 breathing records.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/KeyboardPreview.h"
#include "devices/keys/KeyIndex.h"
#include "profiles/LedRecord.h"
#include "profiles/LightEffectStep.h"

namespace {

using morvek::KeyboardPreview;

constexpr uint8_t kShippedRecordMode = 255;

std::vector<morvek::LedRecord> Records(uint8_t mode) {
    morvek::LedRecord record;
    record.mode = mode;
    record.brightness = 4;
    record.speed = 2;
    record.red = 255;
    record.present = true;
    return std::vector<morvek::LedRecord>(morvek::kKeyCount, record);
}

std::vector<morvek::LightEffectStep> Sequence() {
    std::vector<morvek::LightEffectStep> steps;
    for (uint8_t mode : {0, 2, 4, 5}) {
        morvek::LightEffectStep step;
        step.mode = mode;
        step.brightness = 4;
        step.multiColor = 1;
        step.time = 5000;
        steps.push_back(step);
    }
    return steps;
}

// Arguments: light mode, speed level, per-key record mode. Each iteration is one tick.
void BM_PreviewTick(benchmark::State& state) {
    uint32_t nowMs = 0;
    morvek::LightEngine engine([&nowMs] { return nowMs; });
    engine.SetLightCount(morvek::kKeyCount);
    engine.Settings().mode = static_cast<uint8_t>(state.range(0));
    engine.Settings().speedLevel = static_cast<uint8_t>(state.range(1));
    engine.Settings().brightnessLevel = 4;
    engine.Settings().randomColour = 1;
    KeyboardPreview preview(engine, 1);
    preview.ChangeMode();
    preview.SetEffectSequence(Sequence());
    preview.SetLedRecords(Records(static_cast<uint8_t>(state.range(2))));
    preview.Pass(nowMs);
    for (auto _ : state) {
        nowMs += KeyboardPreview::kTickMs;
        benchmark::DoNotOptimize(preview.Pass(nowMs));
    }
}

void PreviewModes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"mode", "speed", "records"});
    // Modes 34-39 step on every tick at speed 0; the others at their fastest row entry.
    for (int mode : {1, 2, 3, 4, 8, 9, 12, 13, 14, 15, 16, 20, 21}) bench->Args({mode, 2, kShippedRecordMode});
    for (int mode : {34, 35, 36, 37, 38, 39}) bench->Args({mode, 0, kShippedRecordMode});
    bench->Args({0, 0, kShippedRecordMode});  // the effect-sequence player, every tick
    bench->Args({0, 0, 0});                   // the player and 126 breathing records
    bench->Args({39, 0, 0});
}

BENCHMARK(BM_PreviewTick)->Apply(PreviewModes);

}  // namespace
