#include "profiles/TimeStampId.h"

#include <cstdio>
#include <ctime>

namespace morvek {

std::string TimeStampIdAt(std::chrono::system_clock::time_point when) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
    const std::time_t seconds = static_cast<std::time_t>(ms.count() / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[96];
    std::snprintf(text, sizeof text, "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms.count() % 1000));
    return text;
}

std::string MakeTimeStampId() { return TimeStampIdAt(std::chrono::system_clock::now()); }

std::string MakeUniqueTimeStampId(const std::filesystem::path& folder, std::string_view extension) {
    auto when = std::chrono::system_clock::now();
    for (;;) {
        const std::string id = TimeStampIdAt(when);
        std::error_code ec;
        if (!std::filesystem::exists(folder / (id + std::string(extension)), ec)) return id;
        when += std::chrono::milliseconds(1);
    }
}

bool IsPlainTimeStampId(std::string_view id) {
    // year_mm_dd_hh_mm_ss_mmm: seven groups of digits, the last of three, the middle ones of two.
    static constexpr size_t kGroupWidths[] = {0, 2, 2, 2, 2, 2, 3};
    size_t pos = 0;
    for (size_t group = 0; group < 7; ++group) {
        if (group > 0) {
            if (pos >= id.size() || id[pos] != '_') return false;
            ++pos;
        }
        const size_t start = pos;
        while (pos < id.size() && id[pos] >= '0' && id[pos] <= '9') ++pos;
        const size_t width = pos - start;
        if (width == 0 || width > 9 || (kGroupWidths[group] != 0 && width != kGroupWidths[group])) return false;
    }
    return pos == id.size();
}

}  // namespace morvek
