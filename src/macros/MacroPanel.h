#pragma once
// The macro panel without its widgets: the macro list and the selected macro's actions, the
// recorder, which of the panel's controls a user can work, and what each button and menu item
// does up to the message it shows. Every operation on the actions ends with a save of the
// macro, so its file follows the list; only typed delays wait for the next save. Saves do not
// wait for the disk: a macro of 2000 actions takes longer to reach it than a frame lasts.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroActionEditor.h"
#include "macros/MacroDeleteFlow.h"
#include "macros/MacroListModel.h"
#include "macros/MacroMouseActions.h"
#include "macros/MacroRecorder.h"

namespace morvek {

// The controls of the panel a user can work right now.
struct MacroPanelControls {
    bool macroControls = false;  // name edit, delete, rename and export: a macro is selected
    bool actionLayout = false;   // the action side: a macro is selected
    bool editing = true;         // the macro list, the action list and their edits: not recording
    bool recording = false;      // the stop button shows instead of the start button

    bool operator==(const MacroPanelControls&) const = default;
};

struct RecordingRequest {
    RecordMode mode;
    HookMode hook;
    bool operator==(const RecordingRequest&) const = default;
};

// The recording a trigger starts: the start button "macro_btn_starredio" and the menu items
// "redio_..." and "macro_action_edit" (names compared ignoring case); constantChecked is the
// state of "macro_check_time". Nothing for other names.
std::optional<RecordingRequest> RecordingOfTrigger(std::string_view trigger, bool constantChecked);

enum class ActionEdit { ToTop, Up, Down, ToBottom, Delete, DeleteAll };
// The edit of a button ("macro_btn_uptop" ...); nothing for other names.
std::optional<ActionEdit> ActionEditOfButton(std::string_view button);

// The text key of the message a failed operation shows; empty for Ok and for NoSelection (the
// controls that need a selection are disabled without one).
std::string MacroStatusMessage(MacroStatus status);

class MacroPanel {
public:
    MacroPanel() : actions_(list_) {}
    MacroPanel(const MacroPanel&) = delete;
    MacroPanel& operator=(const MacroPanel&) = delete;

    // The kind's data folder (macros and profiles); the list is read again.
    void SetFolder(std::filesystem::path folder);
    void Reload();

    const MacroListModel& List() const { return list_; }
    const MacroActionEditor& Actions() const { return actions_; }
    MacroActionEditor& Actions() { return actions_; }
    const MacroRecorder& Recorder() const { return recorder_; }
    MacroPanelControls Controls() const;

    // Selects a macro and loads its actions; none selected among them.
    MacroStatus SelectMacro(int index);
    // Drops what was not saved: the selected macro is loaded again.
    void Cancel();
    MacroAddResult Add();
    MacroRenameResult Rename(const std::string& name) { return list_.RenameMacro(name); }
    // The keys of the kind's profiles that play the selected macro (the user is asked first).
    int KeysPlayingSelected() const;
    // Deletes the selected macro and fixes the keys of every profile of the kind.
    MacroStatus DeleteSelected(MacroKeyChanges& changes);
    MacroAddResult Import(const std::filesystem::path& source);
    MacroStatus Export(const std::filesystem::path& destination);
    // Folds the typed delays into the actions and writes the macro. The file is written on the
    // file write queue's thread; a write that fails there runs the save-failed handler there.
    MacroStatus Save();
    void SetSaveFailedHandler(std::function<void()> handler) { saveFailed_ = std::move(handler); }

    MacroStatus Edit(ActionEdit edit);
    // Inserts the actions below the selected one, in order; distance is a move's typed value.
    MacroStatus InsertMouseActions(const std::vector<MacroMouseAction>& actions, long long distance);
    // The user typed into the delay box of a row.
    void SetDelayText(size_t row, std::string text) { actions_.SetDelayText(row, std::move(text)); }

    // Starts recording into the selected macro; false without one. constantDelayText is the
    // text of "macro_fixed_time_edit"; the text it must show instead comes back in newDelayText.
    bool StartRecording(const RecordingRequest& request, long long nowMs, std::string_view constantDelayText,
                        std::optional<std::string>& newDelayText);
    // Ends the recording and saves the macro.
    MacroStatus StopRecording();
    RecordedAction RecordKey(bool press, uint8_t scanCode, bool extended, long long nowMs);
    RecordedAction RecordMouseButton(int buttonBit, bool press, bool onStopButton, long long nowMs);

private:
    MacroListModel list_;
    MacroActionEditor actions_;
    MacroRecorder recorder_;
    std::function<void()> saveFailed_;
};

}  // namespace morvek
