#pragma once
// The headset's sound card through the ALSA mixer. The card is the first whose id, name or
// long name contains "Morvek" or "CM6533" (case ignored), or the card named by
// $MORVEK_AUDIO_CARD. Its "Mic" capture volume and switch are the microphone level and mute;
// its "Mic" playback volume and switch (the path that plays the microphone back into the
// headset) are the monitor level and mute. The mixer is opened for each call, so a card that
// comes and goes is handled.

#include <optional>
#include <string>

#include "audio-sdk/MixerLink.h"

namespace morvek::audiosdk {

class AlsaMixerLink final : public IMixerLink {
public:
    // Looks for the headset's card now; without one nothing is mapped.
    AlsaMixerLink();

    bool Found() const { return !device_.empty(); }
    bool Maps(MixerTarget target) const override;
    std::optional<double> Read(MixerTarget target) const override;
    bool Write(MixerTarget target, double value) override;

private:
    std::string device_;  // "hw:N"
};

// Whether a card's id, name or long name names the headset (or the requested card).
bool CardMatchesHeadset(const std::string& id, const std::string& name, const std::string& longName,
                        const std::string& requested);

}  // namespace morvek::audiosdk
