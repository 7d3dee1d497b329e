#include "profiles/BasicProfiledata.h"

#include "platform/Trace.h"
#include "profiles/DocumentSaver.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

namespace morvek {

namespace {

// Re-reads the document, puts the section in at index and writes it whole.
bool WriteSection(const Json::Value& section, const std::filesystem::path& path, Json::ArrayIndex index) {
    Json::Value document = readjsonFile(path);
    Element(Member(document, "Device"), index) = section;
    return WriteJsonFile(path, document) == 0;
}

}  // namespace

bool CBasicProfiledata::Save() { return SaveDeviceSection(section_, documentPath_); }

bool CBasicProfiledata::SaveDeviceSection(const Json::Value& section, const std::filesystem::path& path) {
    if (path.empty()) return false;
    // The saver writes it now or, for the window, on its own thread from a copy of the section,
    // which never touches this object (it may be gone by then).
    return DocumentSaver::Instance().Submit(
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

Json::Value CBasicProfiledata::LoadDeviceSection(const std::filesystem::path& path) {
    Json::Value document = path.empty() ? Json::Value() : readjsonFile(path);
    section_ = At(Get(document, "Device"), deviceIndex_);
    if (section_.isNull() && !templatePath_.empty()) {
        section_ = At(Get(readjsonFile(templatePath_), "Device"), deviceIndex_);
        // Repair the document once; a failed write is retried by the next Save.
        if (!section_.isNull() && !path.empty()) {
            Element(Member(document, "Device"), deviceIndex_) = section_;
            WriteDocument(document, path);
        }
    }
    return section_;
}

bool CBasicProfiledata::ResetSectionToTemplate() {
    if (templatePath_.empty()) return false;
    const Json::Value section = At(Get(readjsonFile(templatePath_), "Device"), deviceIndex_);
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
