#pragma once
// Recording keys and mouse buttons into the macro being edited. A recording has a delay mode
// (measured, constant, none) and a hook mode (append, insert before or after the selected row,
// or change what the selected row presses). The recorder filters what the user did not mean
// (a held key's repeats, a repeated button message, the click on the stop button), turns the
// rest into macro events and places them; the events come from the platform's input sources.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "macros/MacroActionEditor.h"
#include "macros/MacroEvent.h"

namespace morvek {

enum class RecordMode { Measured = 1, Constant = 2, NoDelays = 3 };
enum class HookMode { Append = 4, InsertBefore = 8, InsertAfter = 16, EditSelected = 32 };

// What one recorded input did to the action list.
struct RecordedAction {
    enum class Kind { Dropped, Placed, Edited };
    Kind kind = Kind::Dropped;
    int row = -1;             // the placed or edited row
    int changedDelayRow = -1; // the row before a placed row, whose delay became the new gap

    bool operator==(const RecordedAction&) const = default;
};

class MacroRecorder {
public:
    static constexpr int kDefaultConstantDelay = 50;
    static constexpr size_t kMaxRecordedActions = 2000;

    // Starts a recording at nowMs (milliseconds of a steady clock). In constant mode the delay
    // is read from constantDelayText; the text the edit must show instead comes back when the
    // value changed (limited to 0 to 65535).
    std::optional<std::string> Start(RecordMode mode, HookMode hook, long long nowMs, std::string_view constantDelayText);
    void Stop() { recording_ = false; }
    bool IsRecording() const { return recording_; }
    RecordMode Mode() const { return mode_; }
    HookMode Hook() const { return hook_; }
    // The delay of constant mode, and of mouse actions inserted by hand.
    int ConstantDelay() const { return constantDelay_; }
    std::optional<std::string> ReadConstantDelay(std::string_view text);

    // A key pressed or released, by its set-1 scan code and extended flag.
    RecordedAction RecordKey(MacroActionEditor& editor, bool press, uint8_t scanCode, bool extended, long long nowMs);
    // A mouse button (0x01 left, 0x02 right, 0x04 middle, 0x08 back, 0x10 forward) pressed or
    // released; onStopButton when the pointer is on the button that stops the recording.
    RecordedAction RecordMouseButton(MacroActionEditor& editor, int buttonBit, bool press, bool onStopButton,
                                     long long nowMs);

private:
    struct Key {
        uint8_t scanCode;
        bool extended;
        bool operator==(const Key&) const = default;
    };
    struct ButtonMessage {
        int button;
        bool press;
        bool operator==(const ButtonMessage&) const = default;
    };
    static constexpr size_t kHookModes = 4;

    size_t HandlerIndex() const;
    int NextDelay(long long nowMs);
    RecordedAction Place(MacroActionEditor& editor, const MacroEvent& event, long long nowMs);

    bool recording_ = false;
    RecordMode mode_ = RecordMode::Measured;
    HookMode hook_ = HookMode::Append;
    int constantDelay_ = kDefaultConstantDelay;
    long long lastTick_ = 0;
    // Set by the first event ever recorded: from then on a placed row gives the gap to the row before it.
    bool recordedBefore_ = false;
    // Each hook mode's handlers remember their own last key press and last button message.
    std::array<std::optional<Key>, kHookModes> lastKey_{};
    std::array<std::optional<ButtonMessage>, kHookModes> lastButton_{};
};

}  // namespace morvek
