#pragma once
// The DPI stages, polling rate and pointer values of a device model (the mouse's performance
// page): the DPI and pointer panels and the command line work through it. Page events change
// the model and the profile and save it; DPI and polling changes also write the settings block
// on the device's queue, pointer values are only kept in the profile.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "devices/mouse/MouseDpiPage.h"
#include "profiles/DpiStageRecord.h"
#include "profiles/MouseProfiledata.h"

namespace morvek {

// What a page event did.
enum class MouseEditStatus {
    kDone,
    kNotSaved,       // the model and the mouse have the value, the profile file could not be written
    kBadStage,       // stage outside 0-4
    kBadValue,       // value outside the control's range
    kNoDeviceFacts,  // the mouse's DPI facts were never read
    kZeroDpiStep,    // the mouse reports a DPI step of 0: no DPI can be converted
};

class IDpiStages {
public:
    // The settings write's result (1 success), on the user-interface thread.
    using WriteDone = std::function<void(int result)>;

    virtual ~IDpiStages() = default;

    // The screen size the settings block carries: the window gives the primary screen's;
    // without one the size the device holds stays.
    virtual void SetScreenSize(uint16_t width, uint16_t height) = 0;

    // Events of the DPI rows and the polling options: model, profile, save, settings write.
    // Switching off the current stage makes the next enabled stage the current one.
    virtual MouseEditStatus SetStageEnabled(int stage, bool on, WriteDone done = {}) = 0;
    virtual MouseEditStatus SetStageSlider(int stage, int value, WriteDone done = {}) = 0;
    // The slider is moving: slider and edit follow, nothing is stored or sent.
    virtual MouseEditStatus MoveStageSlider(int stage, int value) = 0;
    // The stage's edit box lost focus with text (a DPI value).
    virtual MouseEditStatus CommitStageEdit(int stage, std::string_view text, WriteDone done = {}) = 0;
    virtual MouseEditStatus SelectPollingOption(int option, WriteDone done = {}) = 0;
    // The pointer values: stored in the profile only, never sent to the device.
    virtual MouseEditStatus SetPointerSpeed(uint16_t value) = 0;
    virtual MouseEditStatus SetDoubleClickTime(uint16_t value) = 0;
    virtual MouseEditStatus SetPointerPrecision(bool on) = 0;
    // The page check with the scroll slider's value; both are shown again.
    virtual MouseEditStatus SetScrollPage(bool on, uint16_t scrollLines) = 0;
    // Moving the scroll slider unticks the page check.
    virtual MouseEditStatus SetScrollLines(uint16_t value) = 0;

    // What the page shows.
    virtual std::optional<MouseDpiFacts> DpiFacts() const = 0;
    virtual std::vector<DpiStageRecord> Stages() const = 0;
    virtual int CurrentStage() const = 0;
    virtual MouseDpiPage DpiPage() const = 0;
    virtual uint8_t PollingIndex() const = 0;
    // The polling option the page selects: the index, or 0 when it is outside 0-4.
    virtual int ShownPollingOption() const = 0;
    virtual MouseSystemWords SystemWords() const = 0;
};

}  // namespace morvek
