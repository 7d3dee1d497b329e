#include "macros/ShootEditor.h"

#include <algorithm>

#include "platform/FileIo.h"
#include "profiles/JsonFile.h"

namespace morvek {

ShootStatus ShootEditor::InitShootData() {
    ShootStatus first = ShootStatus::Ok;
    for (int gun = 0; gun < kGunCount; ++gun) {
        const JsonFileRead read = ReadJsonFile(UserFile(gun));
        if (read.state == JsonFileState::kRead || read.state == JsonFileState::kNotRegular) continue;
        ShootStatus status = ShootStatus::Ok;
        if (read.state == JsonFileState::kDamaged) {
            if (auto kept = KeepDamagedFile(UserFile(gun))) damagedFilesKept_.push_back(std::move(*kept));
            else status = ShootStatus::WriteFailed;
        }
        if (status == ShootStatus::Ok) status = ResetGun(gun);
        if (first == ShootStatus::Ok) first = status;
    }
    return first;
}

ShootStatus ShootEditor::CheckUserFile(int gun) const {
    if (!ValidGun(gun)) return ShootStatus::OutOfRange;
    return ShootFile::IsShootDocument(readjsonFile(UserFile(gun))) ? ShootStatus::Ok : ShootStatus::NoFile;
}

void ShootEditor::SelectGun(int n) { currentGun_ = std::clamp(n, 0, kGunCount - 1); }

BulletStep ShootEditor::SelectBullet(int n) {
    currentBullet_ = std::clamp(n, 0, kBulletCount - 1);
    return LoadBullet(currentGun_, currentBullet_);
}

BulletStep ShootEditor::LoadBullet(int gun, int bullet) const {
    if (!ValidGun(gun) || bullet < 0 || bullet >= kBulletCount) return {};
    return ShootFile::ReadBullet(readjsonFile(UserFile(gun)), bullet);
}

std::vector<BulletStep> ShootEditor::LoadGun(int gun) const {
    if (!ValidGun(gun)) return {};
    const Json::Value document = readjsonFile(UserFile(gun));
    std::vector<BulletStep> bullets;
    for (int b = 0; b < kBulletCount; ++b) bullets.push_back(ShootFile::ReadBullet(document, b));
    return bullets;
}

ShootStatus ShootEditor::SaveBullet(int gun, int bullet, const BulletStep& step) {
    if (!ValidGun(gun) || bullet < 0 || bullet >= kBulletCount) return ShootStatus::OutOfRange;
    Json::Value document = readjsonFile(UserFile(gun));
    ShootFile::WriteBullet(document, bullet, step);
    return WriteJsonFile(UserFile(gun), document) == 0 ? ShootStatus::Ok : ShootStatus::WriteFailed;
}

ShootStatus ShootEditor::ResetGun(int n) {
    if (!ValidGun(n)) return ShootStatus::OutOfRange;
    const FileContent content = ReadFileContent(DefaultFile(n), kMaxJsonFileBytes);
    if (content.state == FileReadState::kMissing) return ShootStatus::NoDefault;
    const std::optional<Json::Value> pattern =
        content.state == FileReadState::kRead ? ParseJsonText(content.text) : std::nullopt;
    if (!pattern || !ShootFile::IsShootDocument(*pattern)) return ShootStatus::DamagedDefault;
    if (!WriteFileAtomically(UserFile(n), content.text)) return ShootStatus::WriteFailed;
    SelectBullet(currentBullet_);
    return ShootStatus::Ok;
}

ShootStatus ShootEditor::ImportGun(const std::filesystem::path& source) {
    if (source.empty()) return ShootStatus::NotAShootFile;
    const Json::Value document = readjsonFile(source);
    if (!ShootFile::IsShootDocument(document)) return ShootStatus::NotAShootFile;
    if (WriteJsonFile(UserFile(currentGun_), document) != 0) return ShootStatus::WriteFailed;
    SelectBullet(currentBullet_);
    return ShootStatus::Ok;
}

ShootStatus ShootEditor::ExportGun(const std::filesystem::path& destination) const {
    if (destination.empty()) return ShootStatus::NoFile;
    const auto content = ReadWholeFile(UserFile(currentGun_), kMaxJsonFileBytes);
    if (!content) return ShootStatus::NoFile;
    return WriteFileAtomically(destination, *content) ? ShootStatus::Ok : ShootStatus::WriteFailed;
}

}  // namespace morvek
