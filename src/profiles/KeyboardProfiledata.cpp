#include "profiles/KeyboardProfiledata.h"

#include "profiles/JsonAccess.h"

namespace morvek {
namespace {

Json::Value* CustomGroup(Json::Value& section, int group) {
    if (group < 0 || group >= CKeyboardProfiledata::kMaxCustomLightGroups) return nullptr;
    return &Element(Member(Member(section, "CustomLightMode"), "LightColorInfo"), Json::ArrayIndex(group));
}

}  // namespace

KeyboardSystemWords CKeyboardProfiledata::ReadKeyboardSystem() {
    const Json::Value& stages = Get(Section(), "SystemStages");
    auto word = [&](const char* key) { return uint32_t(JsonWord(Get(stages, key))); };
    system_ = {word("RepeatDelay") << 16 | word("Repeat"), word("PollingRate") << 16 | word("Key6Flag"),
               word("WinFlag") << 16 | word("WFlag")};
    return system_;
}

void CKeyboardProfiledata::WriteKeyboardSystem(const KeyboardSystemWords& words) {
    system_ = words;
    Json::Value& stages = Member(Section(), "SystemStages");
    auto half = [](uint32_t word, int shift) { return Json::Int((word >> shift) & 0xFFFF); };
    Member(stages, "Repeat") = half(words[0], 0);
    Member(stages, "RepeatDelay") = half(words[0], 16);
    Member(stages, "Key6Flag") = half(words[1], 0);
    Member(stages, "PollingRate") = half(words[1], 16);
    Member(stages, "WFlag") = half(words[2], 0);
    Member(stages, "WinFlag") = half(words[2], 16);
}

const std::vector<LightColor>& CKeyboardProfiledata::ReadCustomLightColors(int group, int count) {
    colours_.clear();
    Json::Value* colours = count >= 0 && count <= kMaxCustomLightColors ? CustomGroup(Section(), group) : nullptr;
    if (colours == nullptr) return colours_;
    for (int i = 0; i < count; ++i) {
        Json::Value& colour = Element(*colours, Json::ArrayIndex(i));
        if (!colour.isObject()) {
            colour = Json::Value(Json::objectValue);
            for (const char* key : {"Red", "Green", "Blue", "Alpha"}) colour[key] = 0;
        }
        colours_.push_back({JsonByte(Get(colour, "Red")), JsonByte(Get(colour, "Green")),
                            JsonByte(Get(colour, "Blue")), JsonByte(Get(colour, "Alpha"))});
    }
    return colours_;
}

void CKeyboardProfiledata::WriteCustomLightColors(int group, const std::vector<LightColor>& colours) {
    if (colours.size() > size_t(kMaxCustomLightColors)) return;
    Json::Value* target = CustomGroup(Section(), group);
    if (target == nullptr) return;
    colours_ = colours;
    for (Json::ArrayIndex i = 0; i < colours.size(); ++i) {
        Json::Value& colour = Element(*target, i);
        Member(colour, "Red") = colours[i].red;
        Member(colour, "Green") = colours[i].green;
        Member(colour, "Blue") = colours[i].blue;
        Member(colour, "Alpha") = colours[i].alpha;
    }
}

int CKeyboardProfiledata::GetCustomLightGroup() const {
    return static_cast<int>(JsonInteger(Get(Get(Section(), "CustomLightMode"), "CustomLightModeGroupIndex")));
}

void CKeyboardProfiledata::SetCustomLightGroup(int group) {
    Member(Member(Section(), "CustomLightMode"), "CustomLightModeGroupIndex") = group;
}

}  // namespace morvek
