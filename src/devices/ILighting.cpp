#include "devices/ILighting.h"

#include <mutex>
#include <utility>

#include "devicelink/TalvorenUSBDevice.h"

namespace morvek {

LightChange ILighting::ChangeLight(const LightSettings& light, WriteDone done) {
    CTalvorenUSBDevice& model = LightModel();
    model.CommandChannel().SetSynchronised(false);
    bool saved = false;
    {
        // One step for a configuration read on the device thread, which reloads the profile.
        std::lock_guard lock(model.ModelLock());
        saved = StoreLight(light);
        model.RefreshPage();
    }
    model.RunOnDevice([&model] { return model.WriteSettings(0, 0, 1, 0, 0); },
                      [done = std::move(done)](int result) {
                          if (done) done(result);
                      });
    return saved ? LightChange::kDone : LightChange::kNotSaved;
}

}  // namespace morvek
