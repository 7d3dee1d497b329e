#include "devices/lighting/KeyboardLightEdits.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "devices/lighting/KeyboardLightSettings.h"

namespace morvek {
namespace {

constexpr int kMaxColourByte = 255;
constexpr uint32_t kOpaque = 0xFF000000u;

constexpr std::array<std::pair<std::string_view, uint8_t>, 6> kDirectionOptions = {{
    {"deng_FXL_check", 1},
    {"deng_FXUP_check", 1},
    {"deng_FXIN_check", 1},
    {"deng_FXR_check", 0},
    {"deng_FXDOWN_check", 0},
    {"deng_FXOUT_check", 0},
}};

bool SetLevel(uint8_t& level, int value) {
    if (value < 0 || value > kLightLevelMax) return false;
    level = static_cast<uint8_t>(value);
    return true;
}

}  // namespace

bool EditLight(LightSettings& settings, LightEdit edit, int value) {
    switch (edit) {
    case LightEdit::Mode:
        if (value < 0 || value > 255) return false;
        settings.mode = static_cast<uint8_t>(value);
        return true;
    case LightEdit::Brightness: return SetLevel(settings.brightnessLevel, value);
    case LightEdit::Speed: return SetLevel(settings.speedLevel, value);
    case LightEdit::Direction: settings.direction = value != 0 ? 1 : 0; return true;
    case LightEdit::RandomColour: settings.randomColour = value != 0 ? 1 : 0; return true;
    }
    return false;
}

void EditLightColour(LightSettings& settings, LedColour colour) {
    settings.colour = colour;
    settings.randomColour = 0;
}

std::optional<uint8_t> DirectionOfOption(std::string_view optionName) {
    for (const auto& [name, direction] : kDirectionOptions) {
        if (name == optionName) return direction;
    }
    return std::nullopt;
}

ColourEditValue ReadColourEdit(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    int value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kMaxColourByte + 1);
    }
    if (negative) value = 0;
    const auto byte = static_cast<uint8_t>(std::min(value, kMaxColourByte));
    return {byte, std::to_string(byte)};
}

uint32_t PanelColourValue(LedColour colour) {
    return kOpaque | uint32_t(colour.c0) << 16 | uint32_t(colour.c1) << 8 | colour.c2;
}

LedColour ColourOfPanelValue(uint32_t value) {
    return {static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

}  // namespace morvek
