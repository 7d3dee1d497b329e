#include "profiles/BasicProfiledata.h"

#include "platform/FileIo.h"
#include "platform/FileWriteQueue.h"
#include "platform/Trace.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileIdentity.h"

namespace morvek {

namespace {

// Re-reads the document, puts the section in at index and writes it whole.
// A damaged document is kept aside first; one written anew keeps the profile's name and identity.
bool WriteSection(const Json::Value& section, const std::filesystem::path& path, Json::ArrayIndex index) {
    JsonFileRead read = ReadJsonFile(path);
    if (read.state == JsonFileState::kNotRegular) return false;
    Json::Value document = std::move(read.value);
    if (read.state == JsonFileState::kDamaged || (read.state == JsonFileState::kRead && !document.isObject())) {
        if (!KeepDamagedFile(path)) return false;
        document = Json::Value();
    }
    if (!document.isObject()) document = DocumentIdentity(path);
    Element(Member(document, "Device"), index) = section;
    if (WriteJsonFile(path, document) == 0) return true;
    Trace("profile document not written: " + path.string());
    return false;
}

}  // namespace

bool CBasicProfiledata::Save() { return SaveDeviceSection(section_, documentPath_); }

bool CBasicProfiledata::SaveDeviceSection(const Json::Value& section, const std::filesystem::path& path) {
    if (path.empty()) return false;
    // Written now or, for the window, on the file writer's thread from a copy of the section,
    // which never touches this object (it may be gone by then).
    return FileWriteQueue::Instance().Submit(
        path, [section, path, index = deviceIndex_] { return WriteSection(section, path, index); });
}

bool CBasicProfiledata::WriteDocument(const Json::Value& document, const std::filesystem::path& path) {
    if (path.empty() || WriteJsonFile(path, document) != 0) {
        Trace("profile document not written: " + path.string());
        return false;
    }
    return true;
}

void CBasicProfiledata::SetTemplatePath(const std::filesystem::path& path) {
    if (!path.empty()) templatePath_ = path;
}

void CBasicProfiledata::SetDeviceIndex(int index) {
    if (index >= 0) deviceIndex_ = static_cast<Json::ArrayIndex>(index);
}

Json::Value CBasicProfiledata::TemplateSection() const {
    if (templatePath_.empty()) return Json::Value();
    return At(Get(readjsonFile(templatePath_), "Device"), deviceIndex_);
}

Json::Value CBasicProfiledata::LoadDeviceSectionFrom(const Json::Value& document) {
    lastLoad_ = {};
    documentName_ = JsonString(Get(document, "profilename"));
    section_ = At(Get(document, "Device"), deviceIndex_);
    if (section_.isNull()) {
        section_ = TemplateSection();
        lastLoad_.outcome = section_.isNull() ? ProfileLoad::kNoSettings : ProfileLoad::kFromTemplate;
    }
    return section_;
}

Json::Value CBasicProfiledata::LoadDeviceSection(const std::filesystem::path& path) {
    JsonFileRead read;
    if (!path.empty()) read = ReadJsonFile(path);
    if (read.state == JsonFileState::kNotRegular) {
        section_ = Json::Value();
        documentName_.clear();
        lastLoad_ = {ProfileLoad::kNotAFile, path, std::nullopt, false};
        return section_;
    }
    const bool damaged =
        read.state == JsonFileState::kDamaged || (read.state == JsonFileState::kRead && !read.value.isObject());
    Json::Value document = damaged ? Json::Value() : std::move(read.value);
    LoadDeviceSectionFrom(document);
    lastLoad_.document = path;
    lastLoad_.damaged = damaged;
    if (lastLoad_.outcome != ProfileLoad::kFromTemplate || path.empty()) return section_;

    // Repair the document once; a failed write is retried by the next Save. A damaged one is
    // moved aside first, so that nothing the user had is overwritten.
    if (damaged) {
        lastLoad_.kept = KeepDamagedFile(path);
        if (!lastLoad_.kept) {
            Trace("damaged profile document left in place: " + path.string());
            return section_;
        }
        lastLoad_.outcome = ProfileLoad::kReplaced;
        Trace("damaged profile document kept as " + lastLoad_.kept->string());
    }
    if (!document.isObject()) {
        document = DocumentIdentity(path);
        documentName_ = JsonString(document["profilename"]);
    }
    Element(Member(document, "Device"), deviceIndex_) = section_;
    WriteDocument(document, path);
    return section_;
}

bool CBasicProfiledata::ResetSectionToTemplate() {
    const Json::Value section = TemplateSection();
    if (!section.isObject()) return false;
    section_ = section;
    return true;
}

LightInfoWords CBasicProfiledata::ReadLightInfo() {
    const Json::Value& info = Get(section_, "LightInfo");
    if (!info.isObject()) {
        lightInfo_ = {0, 0, 0};
        return lightInfo_;
    }
    auto byte = [&](const char* key) { return uint32_t(JsonByte(Get(info, key))); };
    lightInfo_[0] = byte("SelectItem") | byte("Light") << 8 | byte("Speed") << 16 | byte("Fx") << 24;
    lightInfo_[1] = uint32_t(JsonBool(Get(info, "MultiColor"))) | byte("Red") << 8 | byte("Green") << 16 |
                    byte("Blue") << 24;
    lightInfo_[2] = byte("CustomGroup") << 24;
    return lightInfo_;
}

void CBasicProfiledata::WriteLightInfo(const LightInfoWords& words) {
    lightInfo_ = words;
    auto byte = [](uint32_t word, int shift) { return Json::Value(Json::Int((word >> shift) & 0xFF)); };
    Json::Value info(Json::objectValue);
    info["SelectItem"] = byte(words[0], 0);
    info["Light"] = byte(words[0], 8);
    info["Speed"] = byte(words[0], 16);
    info["Fx"] = byte(words[0], 24);
    info["MultiColor"] = Json::Int((words[1] & 0xFF) != 0 ? 1 : 0);
    info["Red"] = byte(words[1], 8);
    info["Green"] = byte(words[1], 16);
    info["Blue"] = byte(words[1], 24);
    info["CustomGroup"] = byte(words[2], 24);
    Member(section_, "LightInfo") = info;
}

const std::vector<LedRecord>& CBasicProfiledata::ReadLightList() {
    ledRecords_.clear();
    const Json::Value& list = Get(section_, "LightList");
    if (!list.isArray()) return ledRecords_;
    for (const Json::Value& led : list) {
        LedRecord r;
        if (led.isObject()) {
            r.mode = JsonByte(led["LEDREGMode"]);
            r.brightness = JsonByte(led["LEDBrightness"]);
            r.speed = JsonByte(led["LEDSpeed"]);
            r.multiColor = JsonBool(led["LEDMultiColor"]);
            r.direction = JsonBool(led["LEDDirection"]);
            r.red = JsonByte(led["red"]);
            r.green = JsonByte(led["green"]);
            r.blue = JsonByte(led["blue"]);
            r.present = true;
        }
        ledRecords_.push_back(r);
    }
    return ledRecords_;
}

const std::vector<KeyListEntry>& CBasicProfiledata::ReadKeyList() {
    keyList_.clear();
    const Json::Value& list = Get(section_, "KeyList");
    if (!list.isArray()) return keyList_;
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        const auto index = static_cast<uint16_t>(i);
        keyList_.push_back({index, KeyAssignment::Unpack(uint32_t(JsonInteger(Get(list[i], "Assignment")))), index,
                            KeyAssignment::Unpack(uint32_t(JsonInteger(Get(list[i], "DefaultAssignment"))))});
    }
    return keyList_;
}

void CBasicProfiledata::WriteKeyList(const std::vector<KeyListEntry>& list) {
    keyList_ = list;
    Json::Value& keys = Member(section_, "KeyList");
    for (Json::ArrayIndex i = 0; i < list.size(); ++i)
        Member(Element(keys, i), "Assignment") = Json::Int(list[i].current.Pack());
}

}  // namespace morvek
