#include "macros/MacroRecorder.h"

#include <algorithm>

#include "devices/keys/KeyNameTable.h"
#include "macros/JsonNumber.h"

namespace morvek {

std::optional<std::string> MacroRecorder::Start(RecordMode mode, HookMode hook, long long nowMs,
                                                std::string_view constantDelayText) {
    mode_ = mode;
    hook_ = hook;
    lastTick_ = nowMs;
    recording_ = true;
    // A key or button still held when the last recording stopped must not swallow the first
    // press of this one.
    lastKey_ = {};
    lastButton_ = {};
    return mode == RecordMode::Constant ? ReadConstantDelay(constantDelayText) : std::nullopt;
}

std::optional<std::string> MacroRecorder::ReadConstantDelay(std::string_view text) {
    const long long value = std::clamp(IntegerOfText(text), 0LL, static_cast<long long>(kMaxMacroDelayMs));
    if (value == constantDelay_ && std::to_string(value) == text) return std::nullopt;
    constantDelay_ = static_cast<int>(value);
    return std::to_string(value);
}

size_t MacroRecorder::HandlerIndex() const {
    switch (hook_) {
        case HookMode::Append: return 0;
        case HookMode::InsertBefore: return 1;
        case HookMode::InsertAfter: return 2;
        case HookMode::EditSelected: return 3;
    }
    return 0;
}

int MacroRecorder::NextDelay(long long nowMs) {
    switch (mode_) {
        case RecordMode::Constant: return constantDelay_;
        case RecordMode::NoDelays: return 0;
        case RecordMode::Measured: break;
    }
    const long long gap = std::clamp(nowMs - lastTick_, 0LL, static_cast<long long>(kMaxMacroDelayMs));
    lastTick_ = nowMs;
    return static_cast<int>(gap);
}

RecordedAction MacroRecorder::Place(MacroActionEditor& editor, const MacroEvent& recorded, long long nowMs) {
    const int s = editor.Selected();
    if (hook_ == HookMode::EditSelected) {
        if (s < 0) return {};
        editor.SetButton(static_cast<size_t>(s), recorded.type, recorded.button);
        return {RecordedAction::Kind::Edited, s, -1};
    }
    if (editor.Count() >= kMaxRecordedActions) return {};
    if (hook_ != HookMode::Append && s < 0) return {};
    const size_t index = hook_ == HookMode::Append         ? editor.Count()
                         : hook_ == HookMode::InsertBefore ? static_cast<size_t>(s)
                                                           : static_cast<size_t>(s) + 1;
    const int d = NextDelay(nowMs);
    MacroEvent event = recorded;
    event.delay = index > 0 && mode_ == RecordMode::Constant ? d : 0;
    editor.InsertAt(index, event);
    RecordedAction result{RecordedAction::Kind::Placed, static_cast<int>(index), -1};
    if (recordedBefore_ && index > 0) {
        editor.SetDelay(index - 1, d);
        result.changedDelayRow = static_cast<int>(index) - 1;
    }
    recordedBefore_ = true;
    // Insert before keeps the selected row selected; it moved down by one.
    editor.Select(hook_ == HookMode::InsertBefore ? s + 1 : static_cast<int>(index));
    return result;
}

RecordedAction MacroRecorder::RecordKey(MacroActionEditor& editor, bool press, uint8_t scanCode, bool extended,
                                        long long nowMs) {
    if (!recording_) return {};
    std::optional<Key>& last = lastKey_[HandlerIndex()];
    const Key key{scanCode, extended};
    if (press) {
        if (last == key) return {};  // the key repeats while held
        last = key;
    } else if (last == key) {
        last.reset();
    }
    const auto row = FindCaptureRow(scanCode, extended);
    if (!row) return {};
    const KeyAssignment& assignment = KeyCaptureTable()[*row].assignment;
    const MacroEvent event = assignment.p2 != 0 ? MacroEvent{kMacroEventKey, assignment.p2, press, 0}
                                                : MacroEvent{kMacroEventModifier, assignment.p1, press, 0};
    return Place(editor, event, nowMs);
}

RecordedAction MacroRecorder::RecordMouseButton(MacroActionEditor& editor, int buttonBit, bool press, bool onStopButton,
                                                long long nowMs) {
    if (!recording_) return {};
    if (buttonBit != 0x01 && buttonBit != 0x02 && buttonBit != 0x04 && buttonBit != 0x08 && buttonBit != 0x10) return {};
    std::optional<ButtonMessage>& last = lastButton_[HandlerIndex()];
    const ButtonMessage message{buttonBit, press};
    if (last == message) return {};
    last = message;
    if (buttonBit == 0x01 && onStopButton) return {};  // the click that stops the recording
    return Place(editor, MacroEvent{kMacroEventMouseButton, buttonBit, press, 0}, nowMs);
}

}  // namespace morvek
