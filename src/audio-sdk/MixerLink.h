#pragma once
// The sound card behind the microphone and monitor properties. Levels are 0.0 to 1.0; mute is
// 1 for muted. Nothing (or false) when the card has no such control.

#include <optional>

#include "audio-sdk/AudioProperties.h"

namespace morvek::audiosdk {

class IMixerLink {
public:
    virtual ~IMixerLink() = default;
    virtual bool Maps(MixerTarget target) const = 0;
    virtual std::optional<double> Read(MixerTarget target) const = 0;
    virtual bool Write(MixerTarget target, double value) = 0;
};

}  // namespace morvek::audiosdk
