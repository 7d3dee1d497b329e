#include "cli/CustomLightCommands.h"

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ModelCommands.h"
#include "devicelink/DeviceTables.h"
#include "devices/keys/KeyIndex.h"
#include "devices/lighting/KeyboardLightEdits.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "profiles/KeyboardProfiledata.h"

namespace morvek::cli {
namespace {

constexpr const char* kUsage =
    "usage: custom-light keyboard [--group N] [--colour RRGGBB] [--fill on|off] [--paint KEY[,KEY...]]";

struct CustomLightOptions {
    std::optional<int> group;
    std::optional<LedColour> colour;
    std::optional<bool> fillBright;
    std::vector<int> paint;
};

std::optional<int> Number(const std::string& text, int low, int high) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used, 0);
        if (used != text.size() || value < low || value > high) return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<LedColour> Colour(const std::string& text) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
    const unsigned long value = std::stoul(text, nullptr, 16);
    return LedColour{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

std::optional<CustomLightOptions> Parse(const std::vector<std::string>& args) {
    CustomLightOptions options;
    for (size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return std::nullopt;
        const std::string& name = args[i];
        const std::string& value = args[i + 1];
        if (name == "--group") {
            options.group = Number(value, 0, CKeyboardProfiledata::kMaxCustomLightGroups - 1);
            if (!options.group) return std::nullopt;
        } else if (name == "--colour") {
            options.colour = Colour(value);
            if (!options.colour) return std::nullopt;
        } else if (name == "--fill") {
            if (value != "on" && value != "off") return std::nullopt;
            options.fillBright = value == "on";
        } else if (name == "--paint") {
            std::stringstream keys(value);
            for (std::string key; std::getline(keys, key, ',');) {
                const auto index = Number(key, 0, kKeyCount - 1);
                if (!index) return std::nullopt;
                options.paint.push_back(*index);
            }
        } else {
            return std::nullopt;
        }
    }
    if (!options.group && !options.colour && !options.fillBright && options.paint.empty()) return std::nullopt;
    return options;
}

}  // namespace

int RunCustomLight(CommandContext& ctx) {
    if (ctx.args.empty() || ctx.args[0] != "keyboard") return ctx.Usage(kUsage);
    const auto options = Parse({ctx.args.begin() + 1, ctx.args.end()});
    if (!options) return ctx.Usage(kUsage);
    ModelCommandContext model(ctx, kKindKeyboard, {});
    auto* keyboard = model.ModelAs<CTalvorenKeyboardDevice>();
    if (keyboard == nullptr) return model.ExitCode();

    bool saved = true;
    int written = kResultSuccess;
    const auto result = [&written](int r) {
        if (r != kResultSuccess) written = r;
    };
    // The light panel's order: the set (stored, written, loaded), the colour, then the keys.
    if (options->group) {
        if (!keyboard->SelectCustomLightGroup(*options->group)) return ctx.Fail("the profile has no colour set " + std::to_string(*options->group));
        saved = keyboard->ChangeLight(keyboard->CurrentLight(), result) == LightChange::kDone && saved;
        keyboard->LoadCustomLightGroup(result);
    }
    if (options->colour) {
        LightSettings light = keyboard->CurrentLight();
        EditLightColour(light, *options->colour);
        saved = keyboard->ChangeLight(light, result) == LightChange::kDone && saved;
    }
    if (keyboard->CurrentLight().mode != kKeyboardCustomLightMode && (options->fillBright || !options->paint.empty()))
        return ctx.Fail("keys are painted in the custom light mode only (light keyboard --mode 38)");
    if (options->fillBright) keyboard->FillCustomLightGroup(*options->fillBright, result);
    if (!options->paint.empty()) keyboard->PaintKeyColours(options->paint, result);
    const std::optional<int> group = keyboard->SelectedCustomLightGroup();
    ctx.out << "colour set " << (group ? std::to_string(*group) : std::string("none")) << "\n";
    if (!keyboard->SaveProfileDocument()) saved = false;
    return FinishPanelChange(model, saved, written, keyboard->ProfileDocumentPath().string());
}

}  // namespace morvek::cli
