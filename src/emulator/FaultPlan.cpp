#include "emulator/FaultPlan.h"

#include <charconv>

namespace morvek::emulator {
namespace {

constexpr int kMaxCount = 1000000;

// The N of "name:N"; fallback when there is no ":N".
bool CountOf(const std::string& word, size_t nameLength, int fallback, int& count) {
    if (word.size() == nameLength) {
        count = fallback;
        return true;
    }
    if (word[nameLength] != ':') return false;
    const char* first = word.data() + nameLength + 1;
    const char* last = word.data() + word.size();
    const auto [end, ec] = std::from_chars(first, last, count);
    return first != last && ec == std::errc{} && end == last && count >= 0 && count <= kMaxCount;
}

}  // namespace

bool AddFaultWord(const std::string& word, FaultPlan& plan, std::string& error) {
    const auto named = [&word](const std::string& name) {
        return word.compare(0, name.size(), name) == 0 && (word.size() == name.size() || word[name.size()] == ':');
    };
    int count = 0;
    if (word == "silent") {
        plan.silent = true;
    } else if (word == "denied") {
        plan.accessDenied = true;
    } else if (word == "status-ff") {
        plan.forcedStatus = 0xFF;
    } else if (word == "status-fe") {
        plan.forcedStatus = 0xFE;
    } else if (named("stale") && CountOf(word, 5, 1, count)) {
        plan.staleAnswers = count;
    } else if (named("vanish") && CountOf(word, 6, 0, count)) {
        plan.vanishAfterReports = count;
    } else {
        error = "unknown emulator fault \"" + word + "\" (" + kFaultWords + "; N from 0 to " +
                std::to_string(kMaxCount) + ")";
        return false;
    }
    return true;
}

}  // namespace morvek::emulator
