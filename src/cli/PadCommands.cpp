// The mouse pad's model commands: apply and read-profile, each doing what the pad's page does
// for the same change, and what a light change prints.

#include <json/json.h>

#include <string>

#include "cli/LightOptions.h"
#include "cli/ModelCommands.h"
#include "devicelink/DeviceTables.h"
#include "devices/pad/TalvorenMousePadDevice.h"

namespace morvek::cli {
namespace {

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

void ShowPad(ModelCommandContext& ctx) {
    if (const auto* pad = ctx.ModelAs<CTalvorenMousePadDevice>()) PrintPad(ctx, *pad);
}

int ApplyPad(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: apply pad");
    int exitCode = kExitFailed;
    CTalvorenMousePadDevice* pad = OpenPad(ctx, exitCode);
    if (pad == nullptr) return exitCode;
    return RunProfileSelection(ctx, *pad);
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

ModelKindCommands PadModelCommands() {
    return {.kind = kKindMousePad, .apply = ApplyPad, .readProfile = ReadProfilePad, .showLight = ShowPad};
}

}  // namespace morvek::cli
