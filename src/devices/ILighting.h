#pragma once
// The light of a device model, as every kind has it: the light it holds, the light panel's
// change, the names of its light modes and the numbering they follow. The light panel, the
// command line's `light` and the synchronised lighting work through it, whatever the kind.

#include <cstdint>
#include <functional>
#include <vector>

#include "devicelink/LightSettings.h"
#include "profiles/DefaultData.h"

namespace morvek {

class CTalvorenUSBDevice;

// What a light change did.
enum class LightChange {
    kDone,      // stored, saved, and settings block 0 posted to the device
    kNotSaved,  // stored and posted, but the profile file could not be written
};

class ILighting {
public:
    // The settings write's result (1 success), on the user-interface thread.
    using WriteDone = std::function<void(int result)>;

    virtual ~ILighting() = default;

    // The light the model holds (its profile's).
    virtual LightSettings CurrentLight() const = 0;
    // The names of the light modes by mode number, as the page's lists were last loaded
    // (ReloadMacroList).
    virtual std::vector<LightEffectName> LightModeNames() const = 0;
    virtual LightModeFamily ModeFamily() const = 0;
    // Whether the device has a light mode of this number (the mouse's custom modes as its
    // light configuration lists them, when the lists were loaded).
    virtual bool OffersLightMode(uint8_t mode) const = 0;

    // The light panel's change, the same for every kind: the command channel's synchronised
    // flag is cleared (a light chosen on a device ends synchronised lighting for it), the light
    // is stored in the model and its profile, the profile saved and the page refreshed, then
    // settings block 0 is written on the device's queue; done gets the write's result on the
    // user-interface thread. Runs on the user-interface thread.
    LightChange ChangeLight(const LightSettings& light, WriteDone done = {});

protected:
    // The model this light belongs to.
    virtual CTalvorenUSBDevice& LightModel() = 0;
    // Stores the light in the model and the profile document and writes the file; false when
    // the file could not be written. Called under the model lock.
    virtual bool StoreLight(const LightSettings& light) = 0;
};

}  // namespace morvek
