#include "profiles/MouseProfiledata.h"

#include "profiles/JsonAccess.h"

namespace morvek {

const std::vector<DpiStageRecord>& CMouseProfiledata::ReadDpiStages() {
    const Json::Value& dpi = Get(Section(), "DPIStages");
    if (!dpi.isObject()) return stages_;
    if (dpi.isMember("StageActive")) currentStage_ = static_cast<int>(JsonInteger(dpi["StageActive"]));
    const Json::Value& list = Get(dpi, "StageDPIs");
    if (!list.isArray()) return stages_;
    for (Json::ArrayIndex j = 0; j < list.size(); ++j) {
        const Json::Value& s = list[j];
        const DpiStageRecord stage{JsonByte(Get(s, "StageActive")), JsonByte(Get(s, "StageXY")),
                                   JsonWord(Get(s, "StageDPIX")),   JsonWord(Get(s, "StageDPIY")),
                                   JsonByte(Get(s, "StageColorR")), JsonByte(Get(s, "StageColorG")),
                                   JsonByte(Get(s, "StageColorB"))};
        if (j < stages_.size()) stages_[j] = stage;
        else stages_.push_back(stage);
    }
    return stages_;
}

void CMouseProfiledata::WriteDpiStages(const std::vector<DpiStageRecord>& stages) {
    stages_ = stages;
    Json::Value& list = Member(Member(Section(), "DPIStages"), "StageDPIs");
    for (Json::ArrayIndex j = 0; j < stages.size(); ++j) {
        Json::Value& s = Element(list, j);
        Member(s, "StageActive") = stages[j].enable;
        Member(s, "StageXY") = stages[j].separateAxes;
        Member(s, "StageDPIX") = stages[j].dpiX;
        Member(s, "StageDPIY") = stages[j].dpiY;
        Member(s, "StageColorR") = stages[j].red;
        Member(s, "StageColorG") = stages[j].green;
        Member(s, "StageColorB") = stages[j].blue;
    }
}

void CMouseProfiledata::SetCurrentDpiStage(int stage) {
    currentStage_ = stage;
    Member(Member(Section(), "DPIStages"), "StageActive") = stage;
}

MouseSystemWords CMouseProfiledata::ReadMouseSystem() {
    const Json::Value& stages = Get(Section(), "SystemStages");
    if (!stages.isObject()) {
        system_ = {0, 0, 0};
        return system_;
    }
    auto word = [&](const Json::Value& object, const char* key) { return uint32_t(JsonWord(Get(object, key))); };
    system_[0] = word(stages, "MouseSpeed") << 16 | word(stages, "DoubleClickTime");
    system_[1] = word(stages, "ScorllPage") << 16 | word(stages, "PointerPrecision");
    system_[2] = word(stages, "WheelScorlllinse");
    const Json::Value& report = Get(Section(), "ReportStages");
    if (report.isObject()) system_[2] |= word(report, "StageActive") << 16;
    return system_;
}

void CMouseProfiledata::WriteMouseSystem(const MouseSystemWords& words) {
    system_ = words;
    auto half = [](uint32_t word, int shift) { return Json::Int((word >> shift) & 0xFFFF); };
    Json::Value& stages = Member(Section(), "SystemStages");
    Member(stages, "DoubleClickTime") = half(words[0], 0);
    Member(stages, "MouseSpeed") = half(words[0], 16);
    Member(stages, "PointerPrecision") = half(words[1], 0);
    Member(stages, "ScorllPage") = half(words[1], 16);
    Member(stages, "WheelScorlllinse") = half(words[2], 0);
    Member(Member(Section(), "ReportStages"), "StageActive") = half(words[2], 16);
}

const std::vector<CorrectionEntry>& CMouseProfiledata::ReadCorrections() {
    corrections_.clear();
    const Json::Value& list = Get(Section(), "CorrectInfo");
    if (!list.isArray()) return corrections_;
    for (const Json::Value& c : list) {
        corrections_.push_back({JsonByte(Get(c, "CorrectPixThresh")), JsonByte(Get(c, "CorrectMinSq")),
                                JsonByte(Get(c, "CorrectSelect")), JsonString(Get(c, "CorrectName"))});
    }
    return corrections_;
}

}  // namespace morvek
