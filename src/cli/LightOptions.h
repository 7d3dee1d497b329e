#pragma once
// The options of `light KIND` and the other option lists of the model commands: parsed before
// any device or file is touched, then applied to a device's light settings as its panel does.

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/ModelCommands.h"
#include "devicelink/LightSettings.h"
#include "devices/lighting/KeyboardLightEdits.h"

namespace Json {
class Value;
}

namespace morvek::cli {

using OptionList = std::vector<std::pair<std::string, std::string>>;

// The command's options as (name, value) pairs; every option takes one value. Nothing (and
// exitCode set, usage printed) for a stray word, a missing value or no option at all.
std::optional<OptionList> OptionPairs(ModelCommandContext& ctx, const char* usage, int& exitCode);

// "RRGGBB" (an optional leading '#') as colour bytes c0 = red, c1 = green, c2 = blue.
std::optional<LedColour> ParseColour(std::string text);
std::string ColourText(const LedColour& colour);

// The light settings as every kind's printout shows them: JSON members, or aligned
// "name  value" lines (speed as a level).
void AddLightMembers(Json::Value& value, const LightSettings& light);
void PrintLightLines(std::ostream& out, const LightSettings& light);

struct LightOptions {
    std::optional<LedColour> colour;
    std::vector<std::pair<LightEdit, int>> edits;

    // A fixed colour clears the random-colour flag, so an explicit --random comes after it.
    void ApplyTo(LightSettings& light) const;
};

// --mode (0 .. lastMode), --brightness, --speed (0-4), --direction, --random (0-1), --colour.
std::optional<LightOptions> ParseLightOptions(ModelCommandContext& ctx, const char* usage, long lastMode,
                                              int& exitCode);

}  // namespace morvek::cli
