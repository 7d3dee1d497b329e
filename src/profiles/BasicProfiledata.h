#pragma once
// A profile document held by a device model: the document's "Device"[0] section in memory,
// its readers (which never fail: anything absent gives defaults) and writers (which change
// only the in-memory section), and Save, which puts the section back into the file.
// The mouse pad uses this class itself; the keyboard, mouse and headset derive from it.

#include <json/value.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "profiles/KeyListEntry.h"
#include "profiles/LedRecord.h"
#include "profiles/LightEffectStep.h"
#include "profiles/ProfileLoadReport.h"

namespace morvek {

// "LightInfo" in memory: word 0 = SelectItem | Light << 8 | Speed << 16 | Fx << 24,
// word 1 = MultiColor | Red << 8 | Green << 16 | Blue << 24, word 2 = CustomGroup << 24.
using LightInfoWords = std::array<uint32_t, 3>;

class CBasicProfiledata {
public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = delete;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

    // Puts the in-memory section into the document file (through the FileWriteQueue: at once,
    // or queued when it saves in the background, and then true). False when there is no
    // document or it could not be written; the file and the in-memory section are then as
    // they were.
    virtual bool Save();
    // Re-reads the document at path (keeping its name, identity and other members), sets its
    // "Device"[device index] to section and writes it whole. A document damaged meanwhile is
    // kept beside itself and written anew with its name and identity; in place of anything but
    // a regular file nothing is written.
    virtual bool SaveDeviceSection(const Json::Value& section, const std::filesystem::path& path);
    virtual bool WriteDocument(const Json::Value& document, const std::filesystem::path& path);

    // An empty path means "no document": nothing is read from or written to any file then
    // (a profile whose identity cannot name a file must not fall back on the last one).
    void SetDocumentPath(const std::filesystem::path& path) { documentPath_ = path; }
    const std::filesystem::path& GetDocumentPath() const { return documentPath_; }
    // An empty path is ignored.
    void SetTemplatePath(const std::filesystem::path& path);
    const std::filesystem::path& GetTemplatePath() const { return templatePath_; }
    // A negative index is ignored.
    void SetDeviceIndex(int index);

    // Reads the document's device section into memory. A document without one gets the
    // template's section, and the document is written back with it once. A damaged document
    // (not JSON, not an object) is kept beside itself as "<file>.damaged" and written anew from
    // the template with its name and identity. LastLoad says which of these happened.
    Json::Value LoadDeviceSection(const std::filesystem::path& path);
    // Loads a document given in memory, as LoadDeviceSection loads a file, but writes nothing.
    Json::Value LoadDeviceSectionFrom(const Json::Value& document);
    const ProfileLoadReport& LastLoad() const { return lastLoad_; }
    // The "profilename" of the document last loaded (empty when it has none as text).
    const std::string& DocumentName() const { return documentName_; }
    // The template's device section replaces the one in memory (the file changes at the next
    // Save). False, and the section kept, when the template has none: resetting to nothing
    // would empty the profile.
    bool ResetSectionToTemplate();
    const Json::Value& DeviceSection() const { return section_; }

    // The user light effects ("velko_light.config" in the kind's profile folder).
    void SetLightConfigPath(const std::filesystem::path& path) { lightConfigPath_ = path; }
    // Reads the light configuration; false when it is missing or unreadable.
    bool LoadLightConfig();
    // The steps of the profile's selected user effect: the ".light" file named by the effect's
    // Guid, in the folder of the light configuration. Empty when any of it is missing.
    const std::vector<LightEffectStep>& ReadLightEffect();
    // The steps of entry `entry` of the configuration's effect list `list` (the lists are
    // indexed by device class), read as ReadLightEffect reads them.
    const std::vector<LightEffectStep>& ReadLightEffectAt(Json::ArrayIndex list, Json::ArrayIndex entry);
    const std::vector<LightEffectStep>& LightEffectSteps() const { return lightSteps_; }

    LightInfoWords ReadLightInfo();
    void WriteLightInfo(const LightInfoWords& words);
    const std::vector<LedRecord>& ReadLightList();
    const std::vector<KeyListEntry>& ReadKeyList();
    // Sets "Assignment" of the first n "KeyList" elements; "DefaultAssignment" is never written.
    void WriteKeyList(const std::vector<KeyListEntry>& list);

    // The values the readers and writers last left in memory.
    const LightInfoWords& LightInfo() const { return lightInfo_; }
    const std::vector<LedRecord>& LedRecords() const { return ledRecords_; }
    const std::vector<KeyListEntry>& KeyList() const { return keyList_; }

protected:
    Json::Value& Section() { return section_; }
    const Json::Value& Section() const { return section_; }

private:
    // The template's device section; null when it has none.
    Json::Value TemplateSection() const;

    std::filesystem::path documentPath_;
    std::filesystem::path templatePath_;
    Json::ArrayIndex deviceIndex_ = 0;
    Json::Value section_;
    ProfileLoadReport lastLoad_;
    std::string documentName_;
    LightInfoWords lightInfo_{};
    std::vector<LedRecord> ledRecords_;
    std::filesystem::path lightConfigPath_;
    Json::Value lightConfig_;
    std::vector<LightEffectStep> lightSteps_;
    std::vector<KeyListEntry> keyList_;
};

}  // namespace morvek
