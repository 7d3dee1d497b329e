#pragma once
// The mouse's eight light bytes: effect, brightness level, speed level, direction, colour-cycle
// flag, red, green, blue. They travel in the settings block (offsets 1-8) and are kept in the
// profile's "LightInfo" words. Effects from 9 on are the host's custom light modes.

#include <array>
#include <cstdint>

#include "devicelink/LightSettings.h"
#include "profiles/BasicProfiledata.h"

namespace morvek {

struct MouseLightRecord {
    static constexpr size_t kSize = 8;
    static constexpr uint8_t kFirstCustomEffect = 9;
    static constexpr uint8_t kTopSpeedLevel = 4;

    std::array<uint8_t, kSize> bytes{};

    uint8_t Effect() const { return bytes[0]; }
    uint8_t Brightness() const { return bytes[1]; }
    uint8_t Speed() const { return bytes[2]; }
    uint8_t Direction() const { return bytes[3]; }
    uint8_t MultiColour() const { return bytes[4]; }
    bool IsCustomMode() const { return Effect() >= kFirstCustomEffect; }
    // The custom light mode an effect of 9 or more plays; -1 for the built-in effects.
    int CustomMode() const { return IsCustomMode() ? Effect() - kFirstCustomEffect : -1; }

    // Bytes 0-3 from word 0, bytes 4-7 from word 1.
    static MouseLightRecord FromLightInfo(const LightInfoWords& words);
    // The words with this record's bytes; word 2 (the keyboard's custom group) is kept.
    LightInfoWords ToLightInfo(LightInfoWords keep) const;
    // What the light engine animates: mode, levels, direction, colour cycle and colour.
    LightSettings ToLightSettings() const;
    // The record of those settings (the subclass bytes 8-11 have no place in it).
    static MouseLightRecord FromLightSettings(const LightSettings& s);

    bool operator==(const MouseLightRecord&) const = default;
};

}  // namespace morvek
