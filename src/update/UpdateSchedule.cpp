#include "update/UpdateSchedule.h"

#include <ctime>

#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

namespace morvek::update {

std::string DateText(int year, int month, int day) {
    return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string OpenSchedule(const std::filesystem::path& file, const std::string& today) {
    const Json::Value root = readjsonFile(file);
    const Json::Value& stored = Get(Get(root, "updatelasttime"), "value");
    if (stored.isString()) return stored.asString();
    WriteCheckDate(file, today);
    return today;
}

bool WriteCheckDate(const std::filesystem::path& file, const std::string& date) {
    Json::Value root = readjsonFile(file);
    Member(Member(root, "updatelasttime"), "value") = date;
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    return WriteJsonFile(file, root) == 0;
}

}  // namespace morvek::update
