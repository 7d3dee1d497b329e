#pragma once
// The macro list of one device kind and the working copy of the selected macro: what the
// macro panel shows and the operations its buttons run (add, delete, rename, select, save,
// import, export). Every change re-reads "macro.config", changes it and writes it whole; a
// write that fails leaves files and model as they were and is reported. A damaged list is never
// overwritten: it is kept beside the new one as "macro.config.damaged" (DamagedListKept).

#include <json/value.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroListFile.h"
#include "platform/FileWriteQueue.h"

namespace morvek {

enum class MacroStatus {
    Ok,
    NoSelection,    // no macro is selected
    LimitReached,   // already 50 macros
    OutOfRange,     // no macro has that index
    WriteFailed,    // a file could not be written; nothing changed
    NoMacroFile,    // the macro's Guid cannot name a file, or an exported file is missing
    NotAMacroFile,  // an imported file is not a macro document
    NameEmpty,      // rename: "IsEmpty"
    NameHasBlank,   // rename: "Isuseb"
    NameTaken,      // rename: the name is in use (the macro's own name included)
    ListNotAFile,   // "macro.config" is a folder, FIFO, device or socket; nothing was read or written
};

// One row of the action list: the event as in the file and the text of its delay box.
struct MacroAction {
    Json::Value event;
    std::string delayText;
};

struct MacroAddResult {
    MacroStatus status = MacroStatus::Ok;
    std::string name;  // empty unless added
};

struct MacroDeleteResult {
    MacroStatus status = MacroStatus::Ok;
    int index = -1;    // the number the deleted macro had, -1 when nothing was deleted
};

struct MacroRenameResult {
    MacroStatus status = MacroStatus::Ok;
    std::string text;  // "IsEmpty", "Isuseb", the new name, or empty
    int index = -1;
};

class MacroListModel {
public:
    static constexpr size_t kMaxMacros = MacroListFile::kMaxMacros;

    void SetFolder(std::filesystem::path folder);
    const std::filesystem::path& Folder() const { return folder_; }

    // Reads the list and the selection kept with it; loads the selected macro's events.
    MacroStatus LoadMacroList();
    // Where a damaged list was kept since the folder was set; the user is to be told.
    const std::optional<std::filesystem::path>& DamagedListKept() const { return damagedListKept_; }
    std::vector<std::string> GetMacroNames() const;
    const std::vector<MacroInfo>& Macros() const { return rows_; }
    int GetSelectedMacro() const { return selected_; }

    // Selects macro index, keeps the selection in the list file and loads its events.
    MacroStatus SelectMacro(int index);
    // New empty macro "macro_<n>" (smallest n from 1 not in use, ignoring case), selected.
    MacroAddResult AddMacro();
    // Removes the selected macro and its file; macro 0 becomes the selection.
    MacroDeleteResult DeleteMacro();
    MacroRenameResult RenameMacro(const std::string& newName);

    void LoadSelectedMacro();
    // Replaces the action list with the events of a macro file; a missing file gives none.
    bool LoadMacroEvents(const std::filesystem::path& path);
    // Writes the action list, delays taken from their boxes, to the selected macro's file.
    MacroStatus SaveSelectedMacro();
    // The same, the document made and written on the file write queue's thread from a copy of
    // the events (a reader of the file still finds the new content); done(written) runs there
    // once it is on disk or failed.
    MacroStatus SaveSelectedMacroInBackground(FileWriteQueue::Done done);

    // Copies the selected macro's file to destination (an unsaved macro exports as empty).
    MacroStatus ExportMacro(const std::filesystem::path& destination);
    // Adds a macro whose events come from a macro file chosen by the user.
    MacroAddResult ImportMacro(const std::filesystem::path& source);

    const std::vector<MacroAction>& Actions() const { return actions_; }
    std::vector<MacroAction>& Actions() { return actions_; }

    // The text a delay box shows for an event: its delay in ms, at most 65535.
    static std::string DelayText(const Json::Value& event);

private:
    MacroListFile ListFile() const { return MacroListFile(folder_); }
    // The list as on disk; a damaged one is moved aside first and reads as empty.
    MacroStatus ReadList(Json::Value& list);
    // A new macro "macro_<n>", selected; its file holds document when one is given (an import).
    MacroAddResult AppendMacro(const Json::Value* document);
    // Writes list with the selection and takes both as the model's rows.
    MacroStatus Commit(Json::Value list, int selected);
    // The selected macro's file and its events, the typed delays folded in.
    MacroStatus SelectedEvents(std::filesystem::path& path, std::vector<Json::Value>& events);
    static Json::Value DocumentOf(const MacroInfo& row, const std::vector<Json::Value>& events);
    std::string NewMacroName() const;
    std::string NewGuid() const;

    std::filesystem::path folder_;
    std::vector<MacroInfo> rows_;
    int selected_ = -1;
    std::vector<MacroAction> actions_;
    std::optional<std::filesystem::path> damagedListKept_;
};

}  // namespace morvek
