#include "profiles/JsonAccess.h"

#include <cmath>

namespace morvek {

const Json::Value& Get(const Json::Value& parent, const char* key) {
    return parent.isObject() ? parent[key] : Json::Value::nullSingleton();
}

const Json::Value& At(const Json::Value& parent, Json::ArrayIndex index) {
    return parent.isArray() ? parent[index] : Json::Value::nullSingleton();
}

Json::Value& Member(Json::Value& parent, const char* key) {
    if (!parent.isObject()) parent = Json::Value(Json::objectValue);
    return parent[key];
}

Json::Value& Element(Json::Value& parent, Json::ArrayIndex index) {
    if (!parent.isArray()) parent = Json::Value(Json::arrayValue);
    return parent[index];
}

int64_t JsonInteger(const Json::Value& value) {
    if (value.isInt64()) return value.asInt64();
    if (value.isUInt64()) return static_cast<int64_t>(value.asUInt64());
    if (value.isBool()) return value.asBool() ? 1 : 0;
    if (value.isDouble()) {
        const double d = value.asDouble();
        // Out of the 64-bit range (or not a number): nothing sensible to cut, read as 0.
        if (!std::isfinite(d) || std::fabs(d) >= 9.2e18) return 0;
        return static_cast<int64_t>(d);
    }
    return 0;
}

bool JsonBool(const Json::Value& value) {
    if (value.isBool()) return value.asBool();
    if (value.isNumeric()) return JsonInteger(value) != 0;
    return false;
}

std::string JsonString(const Json::Value& value) { return value.isString() ? value.asString() : std::string(); }

}  // namespace morvek
