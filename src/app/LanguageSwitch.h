#pragma once
// CLanguageSwitch: the interface language while the program runs. The languages are the entries
// of "Language.config", known by their position. Applying one loads its language file, changes
// the texts of every open window at once, sets the font face again when the font rule asks for
// it (the default font of every window and the font table's ids in the "fontid" property of
// controls) and stores its "Language_ID" in the program's settings for the next start.

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

#include "profiles/DefaultData.h"

namespace morvek::app {

class CLanguageSwitch {
public:
    // Reads "Language.config" of the "DefaultData" folder; a missing or broken file gives no
    // languages, and nothing can then be switched.
    CLanguageSwitch();

    const std::vector<LanguageEntry>& Languages() const { return languages_; }
    // The current position; none before the first language was applied.
    std::optional<int> Position() const { return position_; }
    QString FontFace() const { return face_; }

    // Start-up: the first entry whose "Language_ID" is the stored one, else the first entry.
    // Nothing is stored.
    void ApplyStored();
    // The user's choice: applies position when it differs from the current one and stores its
    // id. False when position is not in the list or its language file cannot be loaded.
    bool Apply(int position);

    // Every control under root with a "fontid" takes its size and style from the font table,
    // in the current face.
    void ApplyFontTable(QWidget* root) const;

private:
    bool Switch(int position);

    std::vector<LanguageEntry> languages_;
    std::optional<int> position_;
    QString face_;
};

}  // namespace morvek::app
