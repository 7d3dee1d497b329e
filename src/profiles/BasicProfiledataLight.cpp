// The user light effect of a profile: the light configuration lists the effects, the profile's
// "SelectItem" picks one, and its Guid names the ".light" file with the steps.

#include "profiles/BasicProfiledata.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/TimeStampId.h"

namespace morvek {

bool CBasicProfiledata::LoadLightConfig() {
    lightConfig_ = lightConfigPath_.empty() ? Json::Value() : readjsonFile(lightConfigPath_);
    return !lightConfig_.isNull();
}

const std::vector<LightEffectStep>& CBasicProfiledata::ReadLightEffect() {
    return ReadLightEffectAt(0, JsonByte(Get(Get(section_, "LightInfo"), "SelectItem")));
}

const std::vector<LightEffectStep>& CBasicProfiledata::ReadLightEffectAt(Json::ArrayIndex list, Json::ArrayIndex entry) {
    lightSteps_.clear();
    if (lightConfig_.isNull()) return lightSteps_;
    const Json::Value& guid = Get(At(At(Get(lightConfig_, "LightInfo"), list), entry), "Guid");
    // Only a plain time-stamp id may name a file: a tampered configuration reads nothing elsewhere.
    if (!guid.isString() || !IsPlainTimeStampId(guid.asString())) return lightSteps_;
    const Json::Value effect = readjsonFile(lightConfigPath_.parent_path() / (guid.asString() + ".light"));
    const Json::Value& steps = Get(effect, "LEDEffectList");
    if (!steps.isArray()) return lightSteps_;
    for (const Json::Value& step : steps) {
        LightEffectStep s;
        s.mode = JsonByte(Get(step, "LEDREGMode"));
        s.direction = JsonByte(Get(step, "LEDDirection"));
        s.brightness = JsonByte(Get(step, "LEDBrightness"));
        s.speed = JsonByte(Get(step, "LEDSpeed"));
        s.multiColor = JsonByte(Get(step, "LEDMultiColor"));
        s.red = JsonByte(Get(step, "red"));
        s.green = JsonByte(Get(step, "green"));
        s.blue = JsonByte(Get(step, "blue"));
        s.time = static_cast<int>(JsonInteger(Get(step, "Time")));
        s.cycle = static_cast<int>(JsonInteger(Get(step, "Cyle")));
        lightSteps_.push_back(s);
    }
    return lightSteps_;
}

}  // namespace morvek
