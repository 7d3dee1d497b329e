#include "devices/mouse/MouseLightRecord.h"

namespace morvek {

MouseLightRecord MouseLightRecord::FromLightInfo(const LightInfoWords& words) {
    MouseLightRecord record;
    for (size_t i = 0; i < 4; ++i) {
        record.bytes[i] = static_cast<uint8_t>(words[0] >> (8 * i));
        record.bytes[4 + i] = static_cast<uint8_t>(words[1] >> (8 * i));
    }
    return record;
}

LightInfoWords MouseLightRecord::ToLightInfo(LightInfoWords keep) const {
    keep[0] = 0;
    keep[1] = 0;
    for (size_t i = 0; i < 4; ++i) {
        keep[0] |= uint32_t{bytes[i]} << (8 * i);
        keep[1] |= uint32_t{bytes[4 + i]} << (8 * i);
    }
    return keep;
}

LightSettings MouseLightRecord::ToLightSettings() const {
    LightSettings s;
    s.mode = Effect();
    s.brightnessLevel = Brightness();
    s.speedLevel = Speed();
    s.direction = Direction();
    s.randomColour = MultiColour();
    s.colour = {bytes[5], bytes[6], bytes[7]};
    return s;
}

MouseLightRecord MouseLightRecord::FromLightSettings(const LightSettings& s) {
    return {{s.mode, s.brightnessLevel, s.speedLevel, s.direction, s.randomColour, s.colour.c0, s.colour.c1,
             s.colour.c2}};
}

}  // namespace morvek
