#pragma once
// LightEngine: the software light engine a device model owns. It holds the LED buffer, the
// light settings and the working state of the effects, and advances the shared effects by one
// tick per call; the model's light thread decides which step runs and how often.
//
// Not thread-safe: the owning model guards the engine with its LED lock. Its light thread holds
// that lock while stepping, the frame sender while copying the LED buffer, and any other writer
// (SetLedColour from the synchronised lighting) while writing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "devicelink/LightLedEntry.h"
#include "devicelink/LightSettings.h"

namespace morvek {

class LightEngine {
public:
    // Milliseconds of a monotonic clock; wrapping at 2^32 is harmless.
    using Clock = std::function<uint32_t()>;

    static constexpr size_t kFadeKeyCount = 126;
    static constexpr size_t kWaveByteCount = 23;

    // Milliseconds of the steady clock, the engine's clock unless another is given.
    static uint32_t SteadyMilliseconds();

    // Uses the steady clock.
    LightEngine();
    explicit LightEngine(Clock clock);

    // Resizes the LED buffer to one entry per light point; every entry becomes dark.
    void SetLightCount(size_t count);
    size_t LightCount() const { return leds_.size(); }
    std::span<const LedEntry> Leds() const { return leds_; }
    // Index outside the buffer: nothing is stored, and 0 is read.
    void SetLedColour(int index, uint32_t packedEntry);
    uint32_t GetLedColour(int index) const;

    LightSettings& Settings() { return settings_; }
    const LightSettings& Settings() const { return settings_; }

    // Position in the current effect's cycle, shared by all effects.
    uint8_t Phase() const { return phase_; }
    void SetPhase(uint8_t phase) { phase_ = phase; }
    // Position in the colour wheel or in the four-colour list.
    uint8_t ColourIndex() const { return colourIndex_; }
    void SetColourIndex(uint8_t index) { colourIndex_ = index; }
    bool FlashOn() const { return flashOn_; }
    // The engine's clock, for the players that time their entries by it.
    uint32_t NowMs() const { return clock_(); }

    // Shared effect steps; each one writes every LED entry.
    void StepBreathing();
    void StepBreathingFourColours();
    void StepStatic();
    void StepSpectrum();
    void StepFlash();
    void StepFlashFourColours();
    void ClearLeds();

    // Working data of the reactive effects: a fade level and a colour-wheel index per key,
    // and the wave ring.
    std::span<uint8_t, kFadeKeyCount> FadeLevels() { return fadeLevels_; }
    std::span<const uint8_t, kFadeKeyCount> FadeLevels() const { return fadeLevels_; }
    std::span<uint8_t, kFadeKeyCount> ColourIndices() { return colourIndices_; }
    std::span<const uint8_t, kFadeKeyCount> ColourIndices() const { return colourIndices_; }
    std::span<uint8_t, kWaveByteCount> WaveBytes() { return wave_; }
    std::span<const uint8_t, kWaveByteCount> WaveBytes() const { return wave_; }

    // One fade step of a key; returns its new fade level (0 for a dark key or a key outside
    // the fade buffer, which stays untouched). From 255 a key fades through 215, 175, 135, 95,
    // 65, 35, 25, 17, 9 and then by 1 (fast) or 4 (not fast) down to exactly 0.
    int StepKeyFade(int key, bool fast);
    // Keys 0 to 8 whose wave byte is set get fade level 255.
    void MarkWaveKeys();
    // The pad and headset form: for every LED i, wave byte i + 1 set gives key i + 1 fade
    // level 255 (as far as the wave ring reaches).
    void MarkWaveKeysPerLed();
    // Rotates the wave ring by one place: up moves every byte to the next place and the last
    // becomes the first; down the other way.
    void ShiftWave(bool up);
    // Zeroes the fade levels and the wave ring; the colour indices stay.
    void ClearEffectBuffers();

private:
    void Fill(LedEntry entry);
    // The configured colour, or the wheel entry at index when the random-colour flag is set.
    LedColour ConfiguredOrWheel(uint8_t index) const;
    uint8_t BrightnessValue() const;
    uint8_t BreathingBrightness() const;
    // Toggles the flash state when its half-period has passed; true when it toggled.
    bool ToggleFlashWhenDue();

    Clock clock_;
    std::vector<LedEntry> leds_;
    LightSettings settings_;
    uint8_t phase_ = 0;
    uint8_t colourIndex_ = 0;
    bool flashOn_ = false;
    uint32_t flashTimeMs_ = 0;
    std::array<uint8_t, kFadeKeyCount> fadeLevels_{};
    std::array<uint8_t, kFadeKeyCount> colourIndices_{};
    std::array<uint8_t, kWaveByteCount> wave_{};
};

}  // namespace morvek
