#pragma once
// The per-key light effects of a profile ("LightList", one LedRecord per LED), laid over the
// LED buffer after every light-thread pass: breathing (mode 0), a fixed colour (1), flashing
// (2), a colour cycle (3) and dark (4). Other modes leave their LED alone. Records beyond the
// LED buffer paint nothing, so any device model can use them whatever its LED count.
// Like the engine, not thread-safe: call under the model's LED lock.

#include <cstdint>
#include <vector>

#include "devicelink/LightEngine.h"
#include "profiles/LedRecord.h"

namespace morvek {

class PerKeyLightEffects {
public:
    // Replaces the records: every record's own phases, colour indices, counters and flash
    // state start at 0, and its periods follow its speed level as it is now.
    void SetRecords(std::vector<LedRecord> records);
    const std::vector<LedRecord>& Records() const { return records_; }
    // True when some record changes from pass to pass (breathing, flashing, colour cycle);
    // the others only need painting after the picture under them changed.
    bool Animated() const { return animated_; }

    void Apply(LightEngine& engine, uint32_t nowMs);

private:
    struct RecordState {
        uint8_t phase = 0;
        uint8_t colourIndex = 0;
        uint8_t counter = 0;
        uint8_t period = 0;
        bool flashOn = false;
        uint8_t flashColourIndex = 0;
        uint32_t flashTimeMs = 0;
        uint32_t flashPeriodMs = 0;
    };

    std::vector<LedRecord> records_;
    std::vector<RecordState> states_;
    bool animated_ = false;
};

}  // namespace morvek
