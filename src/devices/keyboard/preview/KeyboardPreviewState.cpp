#include "devices/keyboard/preview/KeyboardPreviewState.h"

#include "devicelink/LightTables.h"

namespace morvek {

uint8_t KeyboardPreviewState::RandomColourIndex() {
    return static_cast<uint8_t>(RandomBelow(kColourWheelCycle));
}

int KeyboardPreviewState::RandomBelow(int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

}  // namespace morvek
