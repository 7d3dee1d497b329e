#include "devices/lighting/PerKeyLightEffects.h"

#include <algorithm>
#include <utility>

#include "devicelink/LightTables.h"

namespace morvek {
namespace {

enum class RecordMode : uint8_t { Breathing = 0, Fixed = 1, Flash = 2, ColourCycle = 3, Dark = 4 };

constexpr int kBreathingGain = 4;
constexpr uint8_t kLastColourIndex = kColourWheelCycle - 1;
constexpr int kFlashColourStep = 14;

RecordMode ModeOf(const LedRecord& record) { return static_cast<RecordMode>(record.mode); }

bool IsAnimated(const LedRecord& record) {
    switch (ModeOf(record)) {
    case RecordMode::Breathing:
    case RecordMode::ColourCycle: return record.present;
    case RecordMode::Flash: return true;
    default: return false;
    }
}

LedColour ColourOf(const LedRecord& record) { return {record.red, record.green, record.blue}; }

}  // namespace

void PerKeyLightEffects::SetRecords(std::vector<LedRecord> records) {
    records_ = std::move(records);
    states_.assign(records_.size(), RecordState{});
    for (size_t i = 0; i < records_.size(); ++i) {
        states_[i].period = SpeedFactor(records_[i].speed);
        states_[i].flashPeriodMs = SpeedFactor(records_[i].speed) * kFlashMillisecondsPerFactor;
    }
    animated_ = std::any_of(records_.begin(), records_.end(), IsAnimated);
}

void PerKeyLightEffects::Apply(LightEngine& engine, uint32_t nowMs) {
    for (size_t i = 0; i < records_.size(); ++i) {
        const LedRecord& record = records_[i];
        RecordState& state = states_[i];
        const int led = static_cast<int>(i);
        const uint8_t level = BrightnessLevelValue(record.brightness);
        if (nowMs - state.flashTimeMs >= state.flashPeriodMs) {
            state.flashOn = !state.flashOn;
            state.flashTimeMs = nowMs;
            const int colour = state.flashColourIndex + kFlashColourStep;
            state.flashColourIndex = colour > kLastColourIndex ? 0 : static_cast<uint8_t>(colour);
        }
        switch (ModeOf(record)) {
        case RecordMode::Breathing: {
            if (!record.present) break;
            const int phase = state.phase + record.speed + kBreathingGain;
            if (phase >= kBreathingCycle) {
                state.phase = 0;
                if (state.colourIndex < kLastColourIndex) ++state.colourIndex;
            } else {
                state.phase = static_cast<uint8_t>(phase);
            }
            const LedColour colour = record.multiColor ? ColourWheel()[state.colourIndex] : ColourOf(record);
            engine.SetLedColour(led, LedEntry{colour, static_cast<uint8_t>(BreathingCurve()[state.phase] * level / 256)}
                                         .Packed());
            break;
        }
        case RecordMode::Fixed: engine.SetLedColour(led, LedEntry{ColourOf(record), level}.Packed()); break;
        case RecordMode::Flash: {
            const LedColour colour = record.multiColor ? ColourWheel()[state.flashColourIndex] : ColourOf(record);
            engine.SetLedColour(led, state.flashOn ? LedEntry{colour, level}.Packed() : 0);
            break;
        }
        case RecordMode::ColourCycle:
            if (!record.present) break;
            if (++state.counter >= state.period) {
                state.counter = 0;
                state.colourIndex = state.colourIndex >= kLastColourIndex ? 0 : static_cast<uint8_t>(state.colourIndex + 1);
            }
            engine.SetLedColour(led, LedEntry{ColourWheel()[state.colourIndex], level}.Packed());
            break;
        case RecordMode::Dark: engine.SetLedColour(led, 0); break;
        }
    }
}

}  // namespace morvek
