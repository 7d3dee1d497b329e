#include "macros/MacroEvent.h"

#include <algorithm>
#include <limits>
#include <string>

#include "macros/JsonNumber.h"

namespace morvek {
namespace {

int IntOf(const Json::Value& value) {
    return static_cast<int>(std::clamp<long long>(JsonIntegerOrText(value), std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

}  // namespace

MacroEvent MacroEvent::FromJson(const Json::Value& element) {
    MacroEvent event;
    if (!element.isObject()) return event;
    event.type = IntOf(element["Type"]);
    event.button = IntOf(element["Button"]);
    const Json::Value& action = element["Action"];
    event.down = action.isString() && action.asString() == "down";
    event.delay = JsonIntegerOrText(element["Delay"]);
    return event;
}

Json::Value MacroEvent::ToJson() const {
    Json::Value element(Json::objectValue);
    element["Action"] = down ? "down" : "up";
    element["Button"] = button;
    element["Delay"] = std::to_string(delay);
    element["Type"] = type;
    return element;
}

uint16_t MacroEvent::DelayMs() const {
    return static_cast<uint16_t>(std::clamp(delay, 0LL, static_cast<long long>(kMaxMacroDelayMs)));
}

}  // namespace morvek
