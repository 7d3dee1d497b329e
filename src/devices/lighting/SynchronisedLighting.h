#pragma once
// SynchronisedLighting: "same light for all devices". Applying it takes the light of one
// device, turns its mode into a common light type and gives every open device the mode of
// that type in its own numbering with the same brightness, speed, direction, random-colour
// flag and colour; each device stores, saves and writes it as its own panel would, and its
// command channel becomes synchronised. While a channel is synchronised its model's light
// thread computes nothing; this class's thread paints the common effect into the LEDs of every
// synchronised device (the frames go out as always).
//
// The flag ends for a device when a light mode is chosen on it (its panel change clears it) or
// when its profile is read, and for all devices when at most one device is shown.
//
// The thread waits on a condition variable: one step per interval of the speed level while a
// device is synchronised; otherwise it sleeps until Apply or DevicesChanged (a device that
// comes back may still be synchronised) wakes it. Stop ends it at once.

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "devicelink/LightPassClock.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devices/lighting/KeyboardLightThread.h"
#include "devices/lighting/LightTypes.h"
#include "devices/lighting/SynchronisedLightEffect.h"

namespace morvek {

class SynchronisedLighting {
public:
    static constexpr std::chrono::milliseconds kIdleWait = KeyboardLightThread::kUntilWoken;
    static constexpr uint32_t kPassMs = 1;
    static constexpr uint32_t kMaxCatchUpPasses = 50;

    struct Outcome {
        std::optional<CommonLightType> type;  // none: the source's mode has no common type
        size_t changed = 0;                   // devices that took the light
        size_t notSaved = 0;                  // of those, devices whose profile was not saved
    };

    // models: the devices the thread paints (the window's model lists), asked on every pass.
    // clock: milliseconds of a monotonic clock for the flash (empty: the steady clock).
    explicit SynchronisedLighting(std::function<std::vector<CTalvorenUSBDevice*>()> models,
                                  SynchronisedLightEffect::Clock clock = {});
    // Stop().
    ~SynchronisedLighting();
    SynchronisedLighting(const SynchronisedLighting&) = delete;
    SynchronisedLighting& operator=(const SynchronisedLighting&) = delete;

    // Same light for all devices from source's current light, to every model of models that has
    // a light (ILighting) and an open command channel, the source included: each changes it as
    // its own light panel does, then its channel is synchronised. Nothing happens for a mode
    // without a common type, or a source without a light.
    Outcome Apply(CTalvorenUSBDevice& source, std::span<CTalvorenUSBDevice* const> models);
    // The list shows this many devices: with at most one, synchronised lighting ends for all.
    static void SetShownDeviceCount(size_t shown, std::span<CTalvorenUSBDevice* const> models);

    void Start();
    void Stop();
    bool Running() const { return thread_.Running(); }
    // A device came or went: the thread looks for synchronised devices again.
    void DevicesChanged() { thread_.Wake(); }

    // One run of the thread (tests drive it with their own clock): the passes due at nowMs, a
    // step whenever the speed level's interval has gone by; the time until the next step.
    std::chrono::milliseconds Pass(uint32_t nowMs);

private:
    std::vector<CTalvorenUSBDevice*> SynchronisedModels() const;

    std::function<std::vector<CTalvorenUSBDevice*>()> models_;
    mutable std::mutex mutex_;  // the effect and the pass count
    SynchronisedLightEffect effect_;
    LightPassClock passes_{kPassMs, kMaxCatchUpPasses};
    uint32_t passCount_ = 0;
    KeyboardLightThread thread_;
};

}  // namespace morvek
