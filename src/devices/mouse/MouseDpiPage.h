#pragma once
// The DPI part of the mouse page as plain values: per stage the row, its check, its slider
// and its edit box, and the rules the page applies to them. The view copies these into its
// controls ("DPI_layout_" N, "DPI_enable_check_" N, "DPI_slider_" N, "DPI_edit_" N).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devicelink/DeviceInfoRecord.h"
#include "profiles/DpiStageRecord.h"

namespace morvek {

constexpr int kMouseStageCount = 5;
constexpr int kMousePollingOptionCount = 5;

// The DPI facts of the attached mouse: one slider unit is step DPI; a stage's slider runs from
// 0 to maxSlider, its edit box from 0 to maxSlider x step; typed values are raised to minDpi.
struct MouseDpiFacts {
    uint8_t step = 0;
    uint16_t maxSlider = 0;
    uint16_t minDpi = 0;

    static MouseDpiFacts From(const DeviceInfoRecord& info) { return {info.DpiStep(), info.MaxDpiSlider(), info.MinDpi()}; }
    uint32_t MaxEditDpi() const { return uint32_t{maxSlider} * step; }
    bool operator==(const MouseDpiFacts&) const = default;
};

// The slider value a typed DPI text stands for: empty or non-numeric text counts as 0, the
// number is raised to the lowest DPI, divided by the step (rounded down) and kept within the
// slider's range. Nothing for a mouse reporting a DPI step of 0.
std::optional<uint16_t> DpiStepsFromText(std::string_view text, const MouseDpiFacts& facts);

// The stage in use after a stage was switched off. The mouse would go on using a stage its DPI
// button skips, so switching off the current stage moves the current stage to the next enabled
// stage of the list (wrapping around); any other stage switched off leaves it where it is.
int CurrentStageAfterDisabling(const std::vector<DpiStageRecord>& stages, int currentStage, int disabled);

struct DpiStageRow {
    bool shown = false;         // the stage list holds this stage
    bool rowEnabled = false;
    bool checked = false;
    bool checkEnabled = true;   // false only for the last ticked check
    uint16_t slider = 0;
    std::string edit;           // slider x step, "%d"
    bool current = false;       // the slider wears the current-stage images

    bool operator==(const DpiStageRow&) const = default;
};

class MouseDpiPage {
public:
    // The rows of the stages the list holds follow the stages: row and check by the stage's
    // enable byte, slider and edit by its DPI X. Rows of absent stages are left as they are.
    void Show(const std::vector<DpiStageRecord>& stages, int currentStage, uint8_t step);
    // Enabling or disabling stage N: row and check follow the flag; ticking makes every check
    // usable again, unticking greys out the one check left ticked, so the last enabled stage
    // cannot be switched off. False for a stage outside 0-4.
    bool SetEnabled(int stage, bool on);
    // Slider and edit show value steps.
    void ShowValue(int stage, uint16_t value, uint8_t step);
    // The slider of currentStage wears the current-stage images, the others the usual ones.
    void ShowCurrent(int currentStage);

    const DpiStageRow& Row(int stage) const { return rows_.at(static_cast<size_t>(stage)); }

private:
    // With exactly one check ticked, that check cannot be used.
    void GreyOutLastTicked();

    std::array<DpiStageRow, kMouseStageCount> rows_{};
};

}  // namespace morvek
