#include "devicelink/LightTables.h"

#include <algorithm>

namespace morvek {
namespace {

constexpr std::array<uint8_t, 5> kBrightnessLevels = {30, 80, 135, 195, 255};
constexpr std::array<uint8_t, 5> kSpeedFactors = {28, 23, 18, 13, 7};
constexpr std::array<LedColour, 4> kFourColours = {{{0, 255, 180}, {0, 255, 0}, {255, 255, 255}, {255, 0, 0}}};

// The rising half of the breathing curve; the falling half mirrors it.
constexpr std::array<uint8_t, kBreathingCycle / 2> kBreathingRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// Every sixth entry of the colour wheel from entry 0, and its last entry (191).
constexpr int kAnchorSpacing = 6;
constexpr std::array<LedColour, 32> kWheelAnchors = {{
    {255, 1, 0},   {255, 18, 0},  {255, 50, 0},  {255, 99, 0},   {255, 164, 0}, {255, 241, 0}, {194, 255, 0},
    {124, 255, 0}, {69, 255, 0},  {29, 255, 0},  {6, 255, 0},    {0, 255, 5},   {0, 255, 26},  {0, 255, 65},
    {0, 255, 119}, {0, 255, 188}, {0, 248, 255}, {0, 170, 255},  {0, 104, 255}, {0, 53, 255},  {0, 20, 255},
    {0, 2, 255},   {10, 0, 255},  {38, 0, 255},  {81, 0, 255},   {140, 0, 255}, {213, 0, 255}, {255, 0, 220},
    {255, 0, 146}, {255, 0, 85},  {255, 0, 41},  {255, 0, 12},
}};
constexpr LedColour kWheelLast = {255, 0, 0};

// Hue of a fully saturated colour (one byte 255, one byte 0), in units of 1/255 of a sixth of
// the circle: 0 at (255, 0, 0), rising through (255, 255, 0), (0, 255, 0), (0, 255, 255),
// (0, 0, 255) and (255, 0, 255).
constexpr int kSextant = 255;
constexpr int kHueCircle = 6 * kSextant;

constexpr int HueOf(LedColour c) {
    if (c.c0 == 255 && c.c2 == 0) return c.c1;
    if (c.c1 == 255 && c.c2 == 0) return kSextant + (255 - c.c0);
    if (c.c1 == 255 && c.c0 == 0) return 2 * kSextant + c.c2;
    if (c.c2 == 255 && c.c0 == 0) return 3 * kSextant + (255 - c.c1);
    if (c.c2 == 255 && c.c1 == 0) return 4 * kSextant + c.c0;
    return 5 * kSextant + (255 - c.c2);
}

constexpr LedColour ColourAtHue(int hue) {
    hue %= kHueCircle;
    const auto pos = static_cast<uint8_t>(hue % kSextant);
    const auto rest = static_cast<uint8_t>(255 - pos);
    switch (hue / kSextant) {
        case 0: return {255, pos, 0};
        case 1: return {rest, 255, 0};
        case 2: return {0, 255, pos};
        case 3: return {0, rest, 255};
        case 4: return {pos, 0, 255};
        default: return {255, 0, rest};
    }
}

// The entries between two anchors sweep the hue linearly from one anchor to the next.
constexpr std::array<LedColour, 256> BuildColourWheel() {
    std::array<LedColour, 256> wheel{};
    for (size_t a = 0; a < kWheelAnchors.size(); ++a) {
        const bool last = a + 1 == kWheelAnchors.size();
        const int from = static_cast<int>(a) * kAnchorSpacing;
        const int to = last ? kColourWheelCycle - 1 : from + kAnchorSpacing;
        const int fromHue = HueOf(kWheelAnchors[a]);
        int toHue = HueOf(last ? kWheelLast : kWheelAnchors[a + 1]);
        if (toHue <= fromHue) {
            toHue += kHueCircle;
        }
        const int span = to - from;
        wheel[static_cast<size_t>(from)] = kWheelAnchors[a];
        for (int i = 1; i < span; ++i) {
            const int rounded = (2 * (toHue - fromHue) * i + span) / (2 * span);
            wheel[static_cast<size_t>(from + i)] = ColourAtHue(fromHue + rounded);
        }
    }
    wheel[kColourWheelCycle - 1] = kWheelLast;
    for (size_t i = kColourWheelCycle; i < wheel.size(); ++i) {
        wheel[i] = wheel[i - kColourWheelCycle];
    }
    return wheel;
}

constexpr std::array<uint8_t, kBreathingCycle> BuildBreathingCurve() {
    std::array<uint8_t, kBreathingCycle> curve{};
    std::copy(kBreathingRise.begin(), kBreathingRise.end(), curve.begin());
    std::copy(kBreathingRise.rbegin(), kBreathingRise.rend(), curve.begin() + kBreathingRise.size());
    return curve;
}

constexpr int kWaveCurveStart = 16;

constexpr std::array<uint8_t, kWaveCurveCycle> BuildWaveCurve() {
    std::array<uint8_t, kWaveCurveCycle> curve{};
    const auto rise = kBreathingRise.begin() + kWaveCurveStart;
    std::copy(rise, kBreathingRise.end(), curve.begin());
    std::copy(kBreathingRise.rbegin(), kBreathingRise.rend() - kWaveCurveStart, curve.begin() + kWaveCurveCycle / 2);
    return curve;
}

constexpr auto kColourWheel = BuildColourWheel();
constexpr auto kBreathingCurve = BuildBreathingCurve();
constexpr auto kWaveCurve = BuildWaveCurve();
static_assert(kBreathingRise.size() - kWaveCurveStart == kWaveCurveCycle / 2, "the wave curve is two halves");

}  // namespace

uint8_t BrightnessLevelValue(uint8_t level) {
    return kBrightnessLevels[std::min<size_t>(level, kBrightnessLevels.size() - 1)];
}

uint8_t SpeedFactor(uint8_t level) {
    return kSpeedFactors[std::min<size_t>(level, kSpeedFactors.size() - 1)];
}

LedColour FourColour(uint8_t index) {
    return kFourColours[index % kFourColours.size()];
}

const std::array<uint8_t, kBreathingCycle>& BreathingCurve() {
    return kBreathingCurve;
}

const std::array<uint8_t, kWaveCurveCycle>& WaveCurve96() {
    return kWaveCurve;
}

const std::array<LedColour, 256>& ColourWheel() {
    return kColourWheel;
}

}  // namespace morvek
