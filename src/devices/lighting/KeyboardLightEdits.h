#pragma once
// The light panel's edits as changes of the light settings, shared by the keyboard and the
// pad panels and the command line: each one changes the named bytes and nothing else.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "devicelink/LightSettings.h"

namespace morvek {

enum class LightEdit { Mode, Brightness, Speed, Direction, RandomColour };

// Sets the mode (any number: the mode list is data), the brightness or speed level (0-4), the
// direction or the random-colour flag (0 or 1 for any non-zero value). A level above 4 is
// refused: false, nothing changed.
bool EditLight(LightSettings& settings, LightEdit edit, int value);
// A fixed colour: bytes 5-7 take it and the random-colour flag is cleared.
void EditLightColour(LightSettings& settings, LedColour colour);

// The direction a direction option stands for: 1 for "deng_FXL_check", "deng_FXUP_check",
// "deng_FXIN_check", 0 for "deng_FXR_check", "deng_FXDOWN_check", "deng_FXOUT_check"; none for
// any other name.
std::optional<uint8_t> DirectionOfOption(std::string_view optionName);

// A colour edit ("deng_edit_R", "_G", "_B") when it loses focus: its value and the text it
// then shows. The leading number counts; above 255 gives 255, an empty or non-numeric text or
// a negative number 0.
struct ColourEditValue {
    uint8_t value = 0;
    std::string text;

    bool operator==(const ColourEditValue&) const = default;
};
ColourEditValue ReadColourEdit(std::string_view text);

// The panel's colour value: 0xFF000000 + red x 65536 + green x 256 + blue (red in c0).
uint32_t PanelColourValue(LedColour colour);
LedColour ColourOfPanelValue(uint32_t value);

}  // namespace morvek
