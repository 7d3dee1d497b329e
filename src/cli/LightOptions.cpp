#include "cli/LightOptions.h"

#include <json/json.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "cli/GlobalOptions.h"
#include "devices/lighting/KeyboardLightSettings.h"

namespace morvek::cli {
namespace {

std::string Hex2(unsigned v) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x", v & 0xFFu);
    return text;
}

}  // namespace

std::optional<OptionList> OptionPairs(ModelCommandContext& ctx, const char* usage, int& exitCode) {
    OptionList pairs;
    for (size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& name = ctx.args[i];
        if (name.rfind("--", 0) != 0 || i + 1 >= ctx.args.size()) {
            exitCode = ctx.cli.Usage((name.rfind("--", 0) == 0 ? name + " needs a value\n" : "unexpected \"" + name + "\"\n") +
                                     usage);
            return std::nullopt;
        }
        pairs.emplace_back(name, ctx.args[++i]);
    }
    if (pairs.empty()) {
        exitCode = ctx.cli.Usage(usage);
        return std::nullopt;
    }
    return pairs;
}

std::optional<LedColour> ParseColour(std::string text) {
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
    const unsigned long value = std::stoul(text, nullptr, 16);
    return LedColour{uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
}

std::string ColourText(const LedColour& c) { return Hex2(c.c0) + Hex2(c.c1) + Hex2(c.c2); }

void AddLightMembers(Json::Value& value, const LightSettings& light) {
    value["mode"] = light.mode;
    value["brightness"] = light.brightnessLevel;
    value["speed"] = light.speedLevel;
    value["direction"] = light.direction;
    value["random"] = light.randomColour;
    value["colour"] = ColourText(light.colour);
}

void PrintLightLines(std::ostream& out, const LightSettings& light) {
    out << "mode          " << int(light.mode) << "\n"
        << "brightness    " << int(light.brightnessLevel) << "\n"
        << "speed         " << int(light.speedLevel) << "\n"
        << "direction     " << int(light.direction) << "\n"
        << "random        " << int(light.randomColour) << "\n"
        << "colour        " << ColourText(light.colour) << "\n";
}

void LightOptions::ApplyTo(LightSettings& light) const {
    if (colour) EditLightColour(light, *colour);
    for (const auto& [edit, value] : edits) EditLight(light, edit, value);
}

std::optional<LightOptions> ParseLightOptions(ModelCommandContext& ctx, const char* usage, long lastMode,
                                              int& exitCode) {
    const auto options = OptionPairs(ctx, usage, exitCode);
    if (!options) return std::nullopt;
    LightOptions parsed;
    for (const auto& [name, text] : *options) {
        if (name == "--colour") {
            parsed.colour = ParseColour(text);
            if (!parsed.colour) {
                exitCode = ctx.cli.Usage("--colour takes RRGGBB in hexadecimal, not \"" + text + "\"");
                return std::nullopt;
            }
            continue;
        }
        const std::vector<std::tuple<std::string, LightEdit, long>> kEdits = {
            {"--mode", LightEdit::Mode, lastMode},
            {"--brightness", LightEdit::Brightness, kLightLevelMax},
            {"--speed", LightEdit::Speed, kLightLevelMax},
            {"--direction", LightEdit::Direction, 1},
            {"--random", LightEdit::RandomColour, 1},
        };
        const auto found = std::find_if(kEdits.begin(), kEdits.end(), [&](const auto& e) { return std::get<0>(e) == name; });
        if (found == kEdits.end()) {
            exitCode = ctx.cli.Usage("unknown option " + name + "\n" + usage);
            return std::nullopt;
        }
        const long max = std::get<2>(*found);
        const auto value = ParseNumber(text, 0, max);
        if (!value) {
            exitCode = ctx.cli.Usage(name + " takes a number from 0 to " + std::to_string(max) + ", not \"" + text + "\"");
            return std::nullopt;
        }
        parsed.edits.emplace_back(std::get<1>(*found), static_cast<int>(*value));
    }
    return parsed;
}

}  // namespace morvek::cli
