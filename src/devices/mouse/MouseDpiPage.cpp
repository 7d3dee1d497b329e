#include "devices/mouse/MouseDpiPage.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace morvek {

std::optional<uint16_t> DpiStepsFromText(std::string_view text, const MouseDpiFacts& facts) {
    if (facts.step == 0) return std::nullopt;
    const size_t first = text.find_first_not_of(' ');
    if (first != std::string_view::npos) text.remove_prefix(first);
    int64_t dpi = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), dpi);
    (void)end;
    if (error == std::errc::result_out_of_range) dpi = text.starts_with('-') ? 0 : std::numeric_limits<int64_t>::max();
    else if (error != std::errc{}) dpi = 0;
    dpi = std::max<int64_t>(dpi, facts.minDpi);
    const int64_t top = facts.maxSlider != 0 ? facts.maxSlider : std::numeric_limits<uint16_t>::max();
    return static_cast<uint16_t>(std::min<int64_t>(dpi / facts.step, top));
}

int CurrentStageAfterDisabling(const std::vector<DpiStageRecord>& stages, int currentStage, int disabled) {
    const int count = std::min<int>(static_cast<int>(stages.size()), kMouseStageCount);
    if (disabled != currentStage || count == 0) return currentStage;
    for (int step = 1; step < count; ++step) {
        const int candidate = (disabled + step) % count;
        if (stages[size_t(candidate)].enable != 0) return candidate;
    }
    return currentStage;
}

void MouseDpiPage::Show(const std::vector<DpiStageRecord>& stages, int currentStage, uint8_t step) {
    const int count = std::min<int>(static_cast<int>(stages.size()), kMouseStageCount);
    for (int n = 0; n < kMouseStageCount; ++n) rows_[size_t(n)].shown = n < count;
    for (int n = 0; n < count; ++n) {
        SetEnabled(n, stages[size_t(n)].enable != 0);
        ShowValue(n, stages[size_t(n)].dpiX, step);
    }
    GreyOutLastTicked();
    ShowCurrent(currentStage);
}

void MouseDpiPage::ShowCurrent(int currentStage) {
    for (int n = 0; n < kMouseStageCount; ++n) rows_[size_t(n)].current = n == currentStage;
}

bool MouseDpiPage::SetEnabled(int stage, bool on) {
    if (stage < 0 || stage >= kMouseStageCount) return false;
    DpiStageRow& row = rows_[size_t(stage)];
    row.rowEnabled = on;
    row.checked = on;
    if (on) {
        for (DpiStageRow& r : rows_) r.checkEnabled = true;
        return true;
    }
    GreyOutLastTicked();
    return true;
}

void MouseDpiPage::GreyOutLastTicked() {
    const auto ticked = std::count_if(rows_.begin(), rows_.end(), [](const DpiStageRow& r) { return r.checked; });
    if (ticked != 1) return;
    for (DpiStageRow& r : rows_) {
        if (r.checked) r.checkEnabled = false;
    }
}

void MouseDpiPage::ShowValue(int stage, uint16_t value, uint8_t step) {
    if (stage < 0 || stage >= kMouseStageCount) return;
    DpiStageRow& row = rows_[size_t(stage)];
    row.slider = value;
    row.edit = std::to_string(uint32_t{value} * step);
}

}  // namespace morvek
