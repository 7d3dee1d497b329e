#pragma once
// The shoot pattern editor of the mouse page without its widgets: which gun and bullet are
// selected, and the operations on the user's shoot files (load and save one bullet, reset a
// gun from its default, import, export). It holds no pattern: every selection reads the file.

#include <filesystem>
#include <vector>

#include "macros/ShootFile.h"

namespace morvek {

enum class ShootStatus {
    Ok,
    OutOfRange,     // no such gun or bullet
    WriteFailed,    // the user file could not be written; it keeps its old content
    NoDefault,      // the default pattern is missing; the user file is kept
    DamagedDefault, // the default pattern is not a readable shoot pattern; the user file is kept
    NotAShootFile,  // an imported file is not a shoot pattern; nothing changed
    NoFile,         // the gun's user file is missing or cannot be read as a shoot pattern
};

class ShootEditor {
public:
    static constexpr int kGunCount = ShootFile::kGunCount;
    static constexpr int kBulletCount = ShootFile::kBulletCount;

    void SetUserFolder(std::filesystem::path folder) { userFolder_ = std::move(folder); }
    void SetDefaultFolder(std::filesystem::path folder) { defaultFolder_ = std::move(folder); }
    std::filesystem::path UserFile(int gun) const { return ShootFile::PathIn(userFolder_, gun); }
    std::filesystem::path DefaultFile(int gun) const { return ShootFile::PathIn(defaultFolder_, gun); }

    // Every gun whose user file is missing or unreadable gets its default; the first failure.
    // A damaged user file is kept beside itself ("<file>.damaged", DamagedFilesKept) first.
    ShootStatus InitShootData();
    const std::vector<std::filesystem::path>& DamagedFilesKept() const { return damagedFilesKept_; }
    // Ok when the gun's user file is a readable shoot pattern, else NoFile.
    ShootStatus CheckUserFile(int gun) const;

    int CurrentGun() const { return currentGun_; }
    int CurrentBullet() const { return currentBullet_; }
    // Selects gun n (limited to the guns there are).
    void SelectGun(int n);
    // Selects bullet n (limited to 0..29) of the current gun and returns its values.
    BulletStep SelectBullet(int n);
    BulletStep SelectPreviousBullet() { return SelectBullet(currentBullet_ - 1); }
    BulletStep SelectNextBullet() { return SelectBullet(currentBullet_ + 1); }

    BulletStep LoadBullet(int gun, int bullet) const;
    // Every bullet of a gun, read at once (empty for a gun that does not exist).
    std::vector<BulletStep> LoadGun(int gun) const;
    ShootStatus SaveBullet(int gun, int bullet, const BulletStep& step);

    // Copies default file n over user file n, then selects the current bullet again. A default
    // that is not a readable shoot pattern is refused: copying it would leave the gun without one.
    ShootStatus ResetGun(int n);
    // Replaces the current gun's user file by a shoot file chosen by the user.
    ShootStatus ImportGun(const std::filesystem::path& source);
    // Copies the current gun's user file to destination.
    ShootStatus ExportGun(const std::filesystem::path& destination) const;

private:
    static bool ValidGun(int gun) { return gun >= 0 && gun < kGunCount; }

    std::filesystem::path userFolder_;
    std::filesystem::path defaultFolder_;
    int currentGun_ = 0;
    int currentBullet_ = -1;
    std::vector<std::filesystem::path> damagedFilesKept_;
};

}  // namespace morvek
