#pragma once
// Whether a device's light thread may compute: not while the command channel is closed, nor
// while the synchronised lighting paints the LEDs; and how long the thread waits then.

#include <chrono>

#include "devicelink/HidChannel.h"

namespace morvek {

enum class LightGate { Run, ChannelClosed, Synchronised };

inline constexpr std::chrono::milliseconds kClosedChannelWait{100};
inline constexpr std::chrono::milliseconds kSynchronisedWait{10};

inline LightGate LightGateOf(const CHidChannel& channel) {
    if (!channel.IsOpen()) return LightGate::ChannelClosed;
    return channel.IsSynchronised() ? LightGate::Synchronised : LightGate::Run;
}

// The wait of a closed gate.
inline std::chrono::milliseconds ClosedGateWait(LightGate gate) {
    return gate == LightGate::ChannelClosed ? kClosedChannelWait : kSynchronisedWait;
}

}  // namespace morvek
