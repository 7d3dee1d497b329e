// light KIND: the light panel's change for every kind, through the device's light (ILighting),
// with the mode range of the kind's row.

#include <string>

#include "cli/LightOptions.h"
#include "cli/ModelCommands.h"
#include "devicelink/DeviceKinds.h"
#include "devices/Capabilities.h"
#include "devices/ILighting.h"
#include "profiles/ProfileFiles.h"

namespace morvek::cli {
namespace {

std::string ProfileFileOf(CTalvorenUSBDevice& model, const std::string& word) {
    const auto path = ProfileDocument(model.GetUserDataFolder(), model.ProfileName());
    return path ? path->string() : "of the " + word + "'s current profile";
}

std::string NoSuchModeText(const std::string& word, const ILighting& lighting, uint8_t mode) {
    std::string text = "the " + word + " has no light mode " + std::to_string(mode);
    const size_t names = lighting.LightModeNames().size();
    if (names != 0) text += " (its modes are 0 to " + std::to_string(names - 1) + ")";
    return text;
}

}  // namespace

int RunLight(CommandContext& ctx) {
    if (ctx.args.empty()) return ctx.Usage("light needs a KIND (keyboard, mouse, pad, headset)");
    const DeviceKindRow* row = FindDeviceKindByWord(ctx.args[0]);
    if (row == nullptr) {
        std::string text = "unknown KIND \"";
        return ctx.Usage(text.append(ctx.args[0]).append("\" (keyboard, mouse, pad, headset)"));
    }
    const std::string word = row->word;
    std::string usage = "usage: light ";
    usage.append(word).append(" [--mode N] [--brightness L] [--speed S] [--direction D] [--random 0|1] [--colour RRGGBB]");
    ModelCommandContext modelCtx(ctx, row->kind, {ctx.args.begin() + 1, ctx.args.end()});
    int exitCode = kExitUsage;
    const auto options = ParseLightOptions(modelCtx, usage.c_str(), row->lastLightMode, exitCode);
    if (!options) return exitCode;

    CTalvorenUSBDevice* model = modelCtx.Model();
    if (model == nullptr) return modelCtx.ExitCode();
    ILighting* lighting = CapabilityOf<ILighting>(*model);
    if (lighting == nullptr) return ctx.Fail("the " + word + " has no lights to change");
    model->ReloadMacroList();  // the mode names its light panel offers
    LightSettings light = lighting->CurrentLight();
    options->ApplyTo(light);
    if (!lighting->OffersLightMode(light.mode)) return ctx.Fail(NoSuchModeText(word, *lighting, light.mode));
    int written = kResultNoAnswer;
    const LightChange change = lighting->ChangeLight(light, [&written](int result) { written = result; });
    ShowLightChange(modelCtx);
    return FinishPanelChange(modelCtx, change == LightChange::kDone, written, ProfileFileOf(*model, word));
}

}  // namespace morvek::cli
