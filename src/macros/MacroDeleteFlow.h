#pragma once
// Deleting a macro moves the numbers of the macros after it, and keys refer to macros by
// number. The delete flow therefore fixes the key list of every profile of the kind (the
// macros are shared by all of them) and then deletes the macro, all or nothing.

#include <filesystem>
#include <string>

#include "macros/MacroListModel.h"

namespace morvek {

struct MacroKeyChanges {
    int keysFreed = 0;       // keys that played the deleted macro, back to their defaults
    int keysRenumbered = 0;  // keys that play a later macro, following it down by one
    int profiles = 0;        // profile documents changed
};

// The keys of every profile in profileFolder that play macro `macro`.
int CountKeysBoundToMacroInProfiles(const std::filesystem::path& profileFolder, int macro);
// The keys of one profile (by its UUID) that play macro `macro`.
int CountKeysBoundToMacroInProfile(const std::filesystem::path& profileFolder, const std::string& profileUUID, int macro);

// Deletes the model's selected macro after fixing the key lists of the profiles in
// profileFolder. When any write fails, the profile documents get their old content back, the
// macro stays and the status says why. A page that holds a key list in memory reloads it after.
MacroStatus DeleteMacroAndFixKeys(MacroListModel& model, const std::filesystem::path& profileFolder,
                                  MacroKeyChanges& changes);

}  // namespace morvek
