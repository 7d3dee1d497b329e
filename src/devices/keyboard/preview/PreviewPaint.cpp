#include "devices/keyboard/preview/PreviewPaint.h"

#include "devicelink/LightTables.h"

namespace morvek {

uint8_t LevelValue(const LightEngine& engine) {
    return BrightnessLevelValue(engine.Settings().brightnessLevel);
}

LedColour KeyColour(const LightEngine& engine, KeyIndex key) {
    const LightSettings& settings = engine.Settings();
    if (settings.randomColour == 0 || key >= kKeyCount) return settings.colour;
    return ColourWheel()[engine.ColourIndices()[key]];
}

void PaintKey(LightEngine& engine, KeyIndex key, LedColour colour, uint8_t brightness) {
    engine.SetLedColour(key, LedEntry{colour, brightness}.Packed());
}

void FadePaintKey(LightEngine& engine, KeyIndex key) {
    if (key >= kKeyCount) return;
    PaintKey(engine, key, KeyColour(engine, key), ScaleBrightness(LevelValue(engine), engine.FadeLevels()[key]));
}

void FadeAndPaintKey(LightEngine& engine, KeyIndex key) {
    engine.StepKeyFade(key, true);
    FadePaintKey(engine, key);
}

void FadeAllKeys(LightEngine& engine) {
    for (int key = 0; key < kKeyCount; ++key) FadeAndPaintKey(engine, static_cast<KeyIndex>(key));
}

}  // namespace morvek
