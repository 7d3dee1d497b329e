#include "cli/SyncCommands.h"

#include <memory>
#include <vector>

#include "cli/ModelCommands.h"
#include "devicelink/DeviceKinds.h"
#include "devices/SynchronisedDevices.h"

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
    std::vector<SynchronisedDevice> devices;
    std::optional<SynchronisedDevice> source;
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
        const auto device = SynchronisedDeviceOf(*model->Model());
        if (!device) continue;
        if (kind == *sourceKind) source = device;
        devices.push_back(*device);
        opened.push_back(std::move(model));
    }
    if (!source) return ctx.Fail("the " + ctx.args[0] + " has no lights to share");

    SynchronisedLighting lighting([&devices] {
        std::vector<CTalvorenUSBDevice*> models;
        for (const SynchronisedDevice& device : devices) models.push_back(device.model);
        return models;
    });
    const LightSettings light = source->currentLight();
    const auto outcome = lighting.Apply(*source, devices);
    if (!outcome.type)
        return ctx.Fail("the " + ctx.args[0] + "'s light mode " + std::to_string(light.mode) +
                        " has no light the other devices can show (breathing, static, flashing, colour cycle or off)");
    ctx.out << "common light: " << TypeName(*outcome.type) << "\n";
    for (const SynchronisedDevice& device : devices) {
        ctx.out << KindWord(device.model->Kind()) << ": mode " << int(device.currentLight().mode) << "\n";
    }
    if (outcome.notSaved != 0) return ctx.Fail(std::to_string(outcome.notSaved) + " profile file(s) could not be written");
    return kExitOk;
}

}  // namespace morvek::cli
