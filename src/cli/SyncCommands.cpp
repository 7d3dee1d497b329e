#include "cli/SyncCommands.h"

#include <memory>
#include <vector>

#include "cli/ModelCommands.h"
#include "devicelink/DeviceKinds.h"
#include "devices/Capabilities.h"
#include "devices/ILighting.h"
#include "devices/lighting/SynchronisedLighting.h"

namespace morvek::cli {
namespace {

constexpr const char* kUsage = "usage: sync KIND (keyboard, mouse, pad, headset)";

const char* TypeName(CommonLightType type) {
    switch (type) {
    case CommonLightType::Breathing: return "breathing";
    case CommonLightType::Static: return "static";
    case CommonLightType::Flashing: return "flashing";
    case CommonLightType::ColourCycle: return "colour cycle";
    case CommonLightType::Off: return "off";
    }
    return "";
}

}  // namespace

int RunSync(CommandContext& ctx) {
    if (ctx.args.size() != 1) return ctx.Usage(kUsage);
    const auto sourceKind = KindFromWord(ctx.args[0]);
    if (!sourceKind) return ctx.Usage("unknown KIND \"" + ctx.args[0] + "\"\n" + kUsage);

    // Every attached device with a model, opened as its page is; the source first.
    std::vector<std::unique_ptr<ModelCommandContext>> opened;
    std::vector<CTalvorenUSBDevice*> models;
    std::vector<uint16_t> kinds = {*sourceKind};
    for (const AttachedDevice& device : ctx.session.Devices()) {
        const uint16_t kind = ListKindOf(device.kind);
        if (kind != *sourceKind) kinds.push_back(kind);
    }
    for (uint16_t kind : kinds) {
        auto model = std::make_unique<ModelCommandContext>(ctx, kind, std::vector<std::string>{});
        if (model->Model() == nullptr) {
            if (kind == *sourceKind) return model->ExitCode();
            continue;  // said why on stderr; the others still take the light
        }
        if (CapabilityOf<ILighting>(*model->Model()) == nullptr) {
            if (kind == *sourceKind) return ctx.Fail("the " + ctx.args[0] + " has no lights to share");
            continue;
        }
        models.push_back(model->Model());
        opened.push_back(std::move(model));
    }

    SynchronisedLighting lighting([&models] { return models; });
    CTalvorenUSBDevice& source = *models.front();
    const LightSettings light = CapabilityOf<ILighting>(source)->CurrentLight();
    const auto outcome = lighting.Apply(source, models);
    if (!outcome.type)
        return ctx.Fail("the " + ctx.args[0] + "'s light mode " + std::to_string(light.mode) +
                        " has no light the other devices can show (breathing, static, flashing, colour cycle or off)");
    ctx.out << "common light: " << TypeName(*outcome.type) << "\n";
    for (CTalvorenUSBDevice* model : models) {
        ctx.out << KindWord(model->Kind()) << ": mode " << int(CapabilityOf<ILighting>(*model)->CurrentLight().mode) << "\n";
    }
    if (outcome.notSaved != 0) return ctx.Fail(std::to_string(outcome.notSaved) + " profile file(s) could not be written");
    return kExitOk;
}

}  // namespace morvek::cli
