// The mouse pad's model commands: apply, light and read-profile, each doing what the pad's page
// does for the same change.

#include <json/json.h>

#include <string>

#include "cli/LightOptions.h"
#include "cli/ModelCommands.h"
#include "devicelink/DeviceTables.h"
#include "devices/pad/TalvorenMousePadDevice.h"

namespace morvek::cli {
namespace {

constexpr const char* kLightUsage =
    "usage: light pad [--mode N] [--brightness L] [--speed S] [--direction D] [--random 0|1] [--colour RRGGBB]";
// Modes 0-8 are the pad's list; higher ones play the profile's light effect and go out as 0.
constexpr long kLastPadLightMode = 255;

std::string BlockText(const MousePadSettingsBlock::Bytes& bytes) {
    static const char* kDigits = "0123456789abcdef";
    std::string text;
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

CTalvorenMousePadDevice* OpenPad(ModelCommandContext& ctx, int& exitCode) {
    auto* pad = ctx.ModelAs<CTalvorenMousePadDevice>();
    if (pad == nullptr) exitCode = ctx.ExitCode();
    return pad;
}

// The pad's light settings and its settings block as the model holds it (speed as a level).
void PrintPad(ModelCommandContext& ctx, const CTalvorenMousePadDevice& pad) {
    const LightSettings light = pad.CurrentLight();
    const MousePadSettingsBlock block = pad.SettingsBlock();
    std::ostream& out = ctx.cli.out;
    if (ctx.cli.json) {
        Json::Value v;
        AddLightMembers(v, light);
        v["blockInUse"] = block.BlockInUse();
        v["block"] = BlockText(block.Held());
        Json::StyledWriter writer;
        out << writer.write(v);
        return;
    }
    PrintLightLines(out, light);
    out << "block in use  " << int(block.BlockInUse()) << "\n"
        << "block         " << BlockText(block.Held()) << "\n";
}

int ApplyPad(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: apply pad");
    int exitCode = kExitFailed;
    CTalvorenMousePadDevice* pad = OpenPad(ctx, exitCode);
    if (pad == nullptr) return exitCode;
    return RunProfileSelection(ctx, *pad, {false, false});
}

int LightPad(ModelCommandContext& ctx) {
    int exitCode = kExitUsage;
    const auto options = ParseLightOptions(ctx, kLightUsage, kLastPadLightMode, exitCode);
    if (!options) return exitCode;
    CTalvorenMousePadDevice* pad = OpenPad(ctx, exitCode);
    if (pad == nullptr) return exitCode;

    LightSettings light = pad->CurrentLight();
    options->ApplyTo(light);
    int written = kResultNoAnswer;
    const bool saved = pad->ChangeLight(light, [&written](int result) { written = result; });
    PrintPad(ctx, *pad);
    return FinishPanelChange(ctx, saved, written, "of the pad's current profile");
}

int ReadProfilePad(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: read-profile pad");
    int exitCode = kExitFailed;
    CTalvorenMousePadDevice* pad = OpenPad(ctx, exitCode);
    if (pad == nullptr) return exitCode;
    const int read = OnDevice(*pad, [pad] { return pad->ReadSettingsBlock(); });
    if (read != kResultSuccess) return ctx.cli.Fail("reading the pad's settings: " + ctx.Describe(read));
    PrintPad(ctx, *pad);
    return kExitOk;
}

}  // namespace

ModelKindCommands PadModelCommands() { return {kKindMousePad, ApplyPad, LightPad, nullptr, nullptr, ReadProfilePad}; }

}  // namespace morvek::cli
