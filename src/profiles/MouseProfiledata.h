#pragma once
// The mouse's profile document: the base readers plus the DPI stages, the pointer and polling
// values and the correction list.

#include <array>
#include <cstdint>
#include <vector>

#include "profiles/BasicProfiledata.h"
#include "profiles/CorrectionEntry.h"
#include "profiles/DpiStageRecord.h"

namespace morvek {

// "SystemStages" and "ReportStages" in memory: word 0 = MouseSpeed << 16 | DoubleClickTime,
// word 1 = ScorllPage << 16 | PointerPrecision, word 2 = polling-rate index << 16 |
// WheelScorlllinse.
using MouseSystemWords = std::array<uint32_t, 3>;

class CMouseProfiledata : public CBasicProfiledata {
public:
    // Reads the current stage and the stages the document has. Stage j of the document
    // replaces stage j in memory, or is appended; stages beyond the document's count keep their
    // values, and without "DPIStages" nothing changes.
    const std::vector<DpiStageRecord>& ReadDpiStages();
    // Replaces the stages in memory and sets the first stages.size() stages of the document.
    void WriteDpiStages(const std::vector<DpiStageRecord>& stages);
    const std::vector<DpiStageRecord>& DpiStages() const { return stages_; }

    int GetCurrentDpiStage() const { return currentStage_; }
    void SetCurrentDpiStage(int stage);

    MouseSystemWords ReadMouseSystem();
    void WriteMouseSystem(const MouseSystemWords& words);

    const std::vector<CorrectionEntry>& ReadCorrections();

    const MouseSystemWords& MouseSystem() const { return system_; }
    const std::vector<CorrectionEntry>& Corrections() const { return corrections_; }

private:
    std::vector<DpiStageRecord> stages_;
    int currentStage_ = 0;
    MouseSystemWords system_{};
    std::vector<CorrectionEntry> corrections_;
};

}  // namespace morvek
