#include "macros/ShootFile.h"

#include <algorithm>
#include <limits>
#include <strings.h>

#include "macros/JsonNumber.h"
#include "macros/MacroEvent.h"

namespace morvek {
namespace {

Json::Value Event(const char* action, int button, int delay, int type) {
    Json::Value event(Json::objectValue);
    event["Action"] = action;
    event["Button"] = button;
    event["Delay"] = delay;
    event["Type"] = type;
    return event;
}

const Json::Value& EventAt(const Json::Value& document, Json::ArrayIndex index) {
    if (!document.isObject()) return Json::Value::nullSingleton();
    const Json::Value& events = document["Events"];
    if (!events.isArray() || index >= events.size()) return Json::Value::nullSingleton();
    return events[index];
}

const Json::Value& Member(const Json::Value& event, const char* key) {
    return event.isObject() ? event[key] : Json::Value::nullSingleton();
}

bool IsDownIgnoringCase(const Json::Value& action) {
    return action.isString() && ::strcasecmp(action.asCString(), "down") == 0;
}

int IntOf(const Json::Value& value) {
    return static_cast<int>(std::clamp<long long>(JsonIntegerOrText(value), std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

}  // namespace

std::string ShootFile::FileName(int gun) { return "ShootData_" + std::to_string(gun) + ".Shoot"; }

std::array<Json::Value, ShootFile::kEventsPerBullet> ShootFile::BulletEvents(const BulletStep& step) {
    const char* h = step.left ? "down" : "up";
    const char* v = step.up ? "down" : "up";
    const int x = std::clamp(step.x, 0, kMaxDistance);
    const int y = std::clamp(step.y, 0, kMaxDistance);
    const int delay = std::clamp(step.delay, 0, kMaxMacroDelayMs);
    return {Event("down", 1, 10, kMacroEventMouseButton), Event("up", 1, 0, kMacroEventMouseButton),
            Event(h, x, 5, kMacroEventMoveHorizontal),    Event(v, y, delay, kMacroEventMoveVertical),
            Event(h, 0, 0, kMacroEventMoveHorizontal),    Event(v, 0, 0, kMacroEventMoveVertical)};
}

BulletStep ShootFile::ReadBullet(const Json::Value& document, int bullet) {
    const auto first = static_cast<Json::ArrayIndex>(bullet * kEventsPerBullet);
    const Json::Value& horizontal = EventAt(document, first + 2);
    const Json::Value& vertical = EventAt(document, first + 3);
    BulletStep step;
    step.left = IsDownIgnoringCase(Member(horizontal, "Action"));
    step.x = IntOf(Member(horizontal, "Button"));
    step.up = IsDownIgnoringCase(Member(vertical, "Action"));
    step.y = IntOf(Member(vertical, "Button"));
    step.delay = IntOf(Member(vertical, "Delay"));
    return step;
}

void ShootFile::WriteBullet(Json::Value& document, int bullet, const BulletStep& step) {
    if (!document.isObject()) document = Json::Value(Json::objectValue);
    Json::Value& events = document["Events"];
    if (!events.isArray()) events = Json::Value(Json::arrayValue);
    const auto first = static_cast<Json::ArrayIndex>(bullet * kEventsPerBullet);
    const auto bulletEvents = BulletEvents(step);
    for (Json::ArrayIndex i = 0; i < kEventsPerBullet; ++i) events[first + i] = bulletEvents[i];
}

bool ShootFile::IsShootDocument(const Json::Value& document) {
    return document.isObject() && document["Events"].isArray();
}

}  // namespace morvek
