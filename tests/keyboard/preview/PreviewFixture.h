// A keyboard light engine with one LED per key for the preview tests, a fixed clock and a
// fixed random seed.

#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/KeyboardPreviewState.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {

class PreviewFixture : public ::testing::Test {
protected:
    static constexpr LedColour kColour = {200, 100, 50};
    static constexpr LedEntry kMarker = {{1, 2, 3}, 4};

    PreviewFixture() {
        engine_.SetLightCount(kKeyCount);
        engine_.Settings().brightnessLevel = 4;  // L = 255
        engine_.Settings().colour = kColour;
    }

    LedEntry Led(int key) const { return engine_.Leds()[size_t(key)]; }
    uint8_t Fade(int key) const { return engine_.FadeLevels()[size_t(key)]; }
    void FillLeds(LedEntry entry) {
        for (int key = 0; key < kKeyCount; ++key) engine_.SetLedColour(key, entry.Packed());
    }
    // Keys whose LED entry is no longer the marker.
    std::vector<int> ChangedKeys() const {
        std::vector<int> keys;
        for (int key = 0; key < kKeyCount; ++key) {
            if (Led(key) != kMarker) keys.push_back(key);
        }
        return keys;
    }
    std::vector<int> LitKeys() const {
        std::vector<int> keys;
        for (int key = 0; key < kKeyCount; ++key) {
            if (Led(key).brightness != 0) keys.push_back(key);
        }
        return keys;
    }

    uint32_t nowMs_ = 0;
    LightEngine engine_{[this] { return nowMs_; }};
    KeyboardPreviewState state_{7};
};

}  // namespace morvek
