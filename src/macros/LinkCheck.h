#pragma once
// A mouse behind a wireless receiver may be out of reach: before each configuration command
// the receiver is asked whether the mouse answers.

#include "devicelink/HidChannel.h"

namespace morvek {

// True on a wired channel, or when the receiver reports the mouse.
inline bool LinkReady(CHidChannel& channel) { return !channel.IsWireless() || channel.QueryLink(); }

}  // namespace morvek
