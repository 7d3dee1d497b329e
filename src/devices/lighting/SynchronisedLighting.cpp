#include "devices/lighting/SynchronisedLighting.h"

#include <utility>

#include "devices/Capabilities.h"
#include "devices/ILighting.h"

namespace morvek {
namespace {

uint32_t SteadyMilliseconds() {
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

}  // namespace

SynchronisedLighting::SynchronisedLighting(std::function<std::vector<CTalvorenUSBDevice*>()> models,
                                           SynchronisedLightEffect::Clock clock)
    : models_(std::move(models)), effect_(std::move(clock)), thread_([this] { return Pass(SteadyMilliseconds()); }) {}

SynchronisedLighting::~SynchronisedLighting() { Stop(); }

void SynchronisedLighting::Start() { thread_.Start(); }

void SynchronisedLighting::Stop() { thread_.Stop(); }

SynchronisedLighting::Outcome SynchronisedLighting::Apply(CTalvorenUSBDevice& source,
                                                          std::span<CTalvorenUSBDevice* const> models) {
    Outcome outcome;
    const ILighting* from = CapabilityOf<ILighting>(source);
    if (from == nullptr) return outcome;
    const LightSettings light = from->CurrentLight();
    outcome.type = CommonLightTypeOfMode(from->ModeFamily(), light.mode);
    if (!outcome.type) return outcome;
    {
        std::lock_guard lock(mutex_);
        effect_.Start(*outcome.type, light);
        passCount_ = 0;
    }
    for (CTalvorenUSBDevice* model : models) {
        ILighting* lighting = model != nullptr ? CapabilityOf<ILighting>(*model) : nullptr;
        if (lighting == nullptr || !model->IsCommandChannelOpen()) continue;
        const LightSettings target =
            SynchronisedLightSettings(light, *outcome.type, lighting->ModeFamily(), lighting->CurrentLight());
        ++outcome.changed;
        if (lighting->ChangeLight(target) != LightChange::kDone) ++outcome.notSaved;
        model->CommandChannel().SetSynchronised(true);
    }
    thread_.Wake();
    return outcome;
}

void SynchronisedLighting::SetShownDeviceCount(size_t shown, std::span<CTalvorenUSBDevice* const> models) {
    if (shown > 1) return;
    for (CTalvorenUSBDevice* model : models) model->CommandChannel().SetSynchronised(false);
}

std::vector<CTalvorenUSBDevice*> SynchronisedLighting::SynchronisedModels() const {
    std::vector<CTalvorenUSBDevice*> synchronised;
    for (CTalvorenUSBDevice* model : models_()) {
        if (model->IsCommandChannelOpen() && model->CommandChannel().IsSynchronised()) synchronised.push_back(model);
    }
    return synchronised;
}

std::chrono::milliseconds SynchronisedLighting::Pass(uint32_t nowMs) {
    const std::vector<CTalvorenUSBDevice*> models = SynchronisedModels();
    std::lock_guard lock(mutex_);
    if (models.empty()) {
        passes_.Pause();
        return kIdleWait;
    }
    const uint32_t interval = effect_.StepInterval();
    const uint32_t due = passes_.Due(nowMs);
    for (uint32_t pass = 0; pass < due; ++pass) {
        if (++passCount_ < interval) continue;
        passCount_ = 0;
        const uint32_t entry = effect_.Step().Packed();
        for (CTalvorenUSBDevice* model : models) {
            for (int led = 0; led < model->LightCount(); ++led) model->SetLedColour(led, entry);
        }
    }
    return passes_.Until(passCount_ + 1 >= interval ? 1 : interval - passCount_, nowMs);
}

}  // namespace morvek
