#include "devicelink/LightPassClock.h"

#include <algorithm>

namespace morvek {

uint32_t LightPassClock::Due(uint32_t nowMs) {
    if (!running_) {
        running_ = true;
        baseMs_ = nowMs;
    }
    const uint32_t elapsed = (nowMs - baseMs_) / passMs_;
    baseMs_ += elapsed * passMs_;
    return std::min(elapsed, maxCatchUp_);
}

std::chrono::milliseconds LightPassClock::Until(uint32_t passes, uint32_t nowMs) const {
    return std::chrono::milliseconds(passes * passMs_ - (nowMs - baseMs_));
}

}  // namespace morvek
